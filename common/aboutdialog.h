#pragma once

#include <QDialog>
#include <QSize>
#include <QRect>

namespace Ui { class AboutDialog; }

// What differs between the two programs' About dialogs. Each program's library
// defines aboutProduct(); the texts are source strings of the "AboutDialog"
// translation context (mark them with QT_TRANSLATE_NOOP("AboutDialog", ...)).
struct AboutProduct
{
    QSize dialogSize;
    QRect centralGeometry;
    const char *windowIconPath;
    const char *logoPath;
    const char *windowTitle;
    const char *title;
    const char *version;
    const char *description;
    const char *website;
    const char *copyright;
};

const AboutProduct &aboutProduct();

class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(QWidget *parent = nullptr);
    ~AboutDialog() override;

private:
    void retranslate();

    Ui::AboutDialog *ui;
};

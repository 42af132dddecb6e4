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
    const char *version; // with %1 for versionNumber
    const char *versionNumber;
    const char *description;
    const char *website;
    const char *copyright;
};

const AboutProduct &aboutProduct();

class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    // Inline so that the reference to aboutProduct() is made from the caller's
    // library: common is linked after each program's library, so a reference
    // made from common alone would be left unresolved by the static linker.
    explicit AboutDialog(QWidget *parent = nullptr) : AboutDialog(aboutProduct(), parent) {}
    AboutDialog(const AboutProduct &product, QWidget *parent);
    ~AboutDialog() override;

private:
    void retranslate();

    const AboutProduct &m_product;
    Ui::AboutDialog *ui;
};

#include "aboutdialog.h"
#include "ui_aboutdialog.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QIcon>
#include <QPixmap>
#include <QUrl>

AboutDialog::AboutDialog(const AboutProduct &product, QWidget *parent)
    : QDialog(parent), m_product(product), ui(new Ui::AboutDialog)
{
    ui->setupUi(this);
    resize(m_product.dialogSize);
    ui->centralWidget->setGeometry(m_product.centralGeometry);
    setWindowIcon(QIcon(QString::fromLatin1(m_product.windowIconPath)));
    ui->logoLabel->setPixmap(QPixmap(QString::fromLatin1(m_product.logoPath)));
    retranslate();

    connect(ui->websiteLabel, &QLabel::linkActivated, this, [](const QString &link) {
        QDesktopServices::openUrl(QUrl(link));
    });
}

AboutDialog::~AboutDialog()
{
    delete ui;
}

void AboutDialog::retranslate()
{
    auto tr = [](const char *source) { return QCoreApplication::translate("AboutDialog", source); };
    setWindowTitle(tr(m_product.windowTitle));
    ui->titleLabel->setText(tr(m_product.title));
    ui->versionLabel->setText(tr(m_product.version).arg(QString::fromLatin1(m_product.versionNumber)));
    ui->descriptionLabel->setText(tr(m_product.description));
    ui->websiteLabel->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                                  .arg(QString::fromLatin1(m_product.website),
                                       QCoreApplication::translate("AboutDialog", "访问官方网站")));
    ui->copyrightLabel->setText(tr(m_product.copyright));
}

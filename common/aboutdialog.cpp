#include "aboutdialog.h"
#include "ui_aboutdialog.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QIcon>
#include <QPixmap>
#include <QUrl>

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent), ui(new Ui::AboutDialog)
{
    ui->setupUi(this);
    const AboutProduct &product = aboutProduct();
    resize(product.dialogSize);
    ui->centralWidget->setGeometry(product.centralGeometry);
    setWindowIcon(QIcon(QString::fromLatin1(product.windowIconPath)));
    ui->logoLabel->setPixmap(QPixmap(QString::fromLatin1(product.logoPath)));
    ui->logoLabel->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    ui->verticalLayout->setAlignment(ui->logoLabel, Qt::AlignHCenter | Qt::AlignTop);
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
    const AboutProduct &product = aboutProduct();
    auto tr = [](const char *source) { return QCoreApplication::translate("AboutDialog", source); };
    setWindowTitle(tr(product.windowTitle));
    ui->titleLabel->setText(tr(product.title));
    ui->versionLabel->setText(tr(product.version));
    ui->descriptionLabel->setText(tr(product.description));
    ui->websiteLabel->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                                  .arg(QString::fromLatin1(product.website), tr(QT_TRANSLATE_NOOP("AboutDialog", "访问官方网站"))));
    ui->copyrightLabel->setText(tr(product.copyright));
}

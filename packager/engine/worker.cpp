#include "worker.h"

Worker::Worker(QObject *parent)
    : QObject(parent)
{
}

void Worker::createPortableApp(QString, QString, QString, QString, QString, QString, QString, QString)
{
    Q_EMIT finished(false);
}

bool Worker::validateIconData(const QByteArray &)
{
    return false;
}

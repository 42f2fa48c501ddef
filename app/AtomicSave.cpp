#include "app/AtomicSave.h"

#include <QFile>

#include "platform/AtomicFile.h"

bool saveAtomically(const QString& fileName, const QByteArray& bytes, QString* error) {
    std::string failure;
    if (platform::writeFileAtomically(QFile::encodeName(fileName).toStdString(),
                                      bytes.toStdString(), &failure))
        return true;
    if (error)
        *error = QString::fromLocal8Bit(failure.c_str());
    return false;
}

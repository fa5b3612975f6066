#include "SingleInstance.h"

#include "Log.h"
#include "ProductInfo.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace dravo {

QString SingleInstanceLock::Name()
{
    return QStringLiteral("TAVREL4TO8_%1").arg(QLatin1String(kModelName));
}

QString SingleInstanceLock::DefaultDirectory()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

SingleInstanceLock::SingleInstanceLock(const QString& directory)
{
    const QString dir = directory.isEmpty() ? DefaultDirectory() : directory;
    QDir().mkpath(dir);
    mLock = std::make_unique<QLockFile>(QDir(dir).filePath(Name() + QStringLiteral(".lock")));
    // Only a lock whose owner is gone is stale; a copy that has run for
    // hours still holds it.
    mLock->setStaleLockTime(0);
    mAcquired = mLock->tryLock(0);
    if (!mAcquired && mLock->error() != QLockFile::LockFailedError) {
        // The folder cannot hold a lock at all: better two copies than none.
        LogWrite("single-instance lock %s not usable (error %d)\n", dir.toUtf8().constData(),
                 static_cast<int>(mLock->error()));
        mAcquired = true;
    }
}

SingleInstanceLock::~SingleInstanceLock() = default;

} // namespace dravo

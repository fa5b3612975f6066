#pragma once
// Keeps a second copy of the program away from the amplifier: the first copy
// holds a lock named "TAVREL4TO8_<model name>" in the user's runtime folder
// for as long as its main window lives. A lock left behind by a copy that
// died is taken over.
#include <QString>

#include <memory>

class QLockFile;

namespace dravo {

class SingleInstanceLock {
public:
    // Tries to take the lock in `directory` (empty: DefaultDirectory()).
    explicit SingleInstanceLock(const QString& directory = QString());
    ~SingleInstanceLock();

    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // False when another copy holds the lock.
    bool Acquired() const { return mAcquired; }

    // "TAVREL4TO8_DRAVO-8.12".
    static QString Name();
    // $XDG_RUNTIME_DIR, else the temporary folder.
    static QString DefaultDirectory();

private:
    std::unique_ptr<QLockFile> mLock;
    bool mAcquired = false;
};

} // namespace dravo

#pragma once
// The file dialogs of the scene menu's profile items: the profile's filters
// (in Chinese while Chinese is the stored language), starting in the working
// directory, an existing file to open, no question before overwriting, and
// the profile's extension added to a name typed without one.
#include "ProfileOperations.h"

#include <QPointer>
#include <QStringList>

class QWidget;

namespace dravo {

class QtProfileFileDialog final : public ProfileFileDialog {
public:
    explicit QtProfileFileDialog(QWidget* parent) : mParent(parent) {}

    std::string openPath(ProfileKind kind) override;
    std::string savePath(ProfileKind kind) override;

    // The dialog's filter list for a language index.
    static QStringList Filters(ProfileKind kind, int languageIndex);

private:
    std::string run(ProfileKind kind, bool save);

    QPointer<QWidget> mParent;
};

} // namespace dravo

#include "ProfileDialogs.h"

#include "LanguageSwitch.h"

#include <QDir>
#include <QFileDialog>
#include <QWidget>

namespace dravo {

QStringList QtProfileFileDialog::Filters(ProfileKind kind, int languageIndex)
{
    QStringList filters;
    for (const ProfileFilter& filter : profileFilters(kind, languageIndex))
        filters << QString::fromUtf8(filter.name);
    return filters;
}

std::string QtProfileFileDialog::openPath(ProfileKind kind)
{
    return run(kind, false);
}

std::string QtProfileFileDialog::savePath(ProfileKind kind)
{
    return run(kind, true);
}

std::string QtProfileFileDialog::run(ProfileKind kind, bool save)
{
    QFileDialog dialog(mParent, QString(), QDir::currentPath());
    dialog.setNameFilters(Filters(kind, ReadLanguageIndex()));
    dialog.setDefaultSuffix(QString::fromLatin1(profileDialogTexts(kind).defaultExtension));
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst()).toStdString();
}

} // namespace dravo

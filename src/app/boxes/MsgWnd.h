#pragma once
// The plain message box: a title, a text and up to three buttons.
#include "ModalWnd.h"

#include <QStringList>

namespace dravo {

class CMsgWnd : public CModalWnd {
    Q_OBJECT
public:
    explicit CMsgWnd(QWidget* owner);

    // The first caption on "confirm_btn"; with fewer than two buttons
    // "cancel_btn" is hidden, else it takes the second; with three,
    // "third_btn" takes the third and is shown. A missing caption leaves the
    // layout's text on its button.
    void SetButtons(const QStringList& captions, int count);
};

// Returns 1 for the first button, 0 for the second or the close box, 2 for
// the third. Without captions (count 0) the layout's own buttons stay.
// Every text may be a ${...} id.
int ShowMsgBox(QWidget* parent, const QString& title, const QString& text, const QStringList& captions = {},
               int count = 0);

} // namespace dravo

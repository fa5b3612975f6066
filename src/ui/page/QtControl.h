#pragma once
// One control of the loaded page as the tuning logic drives it: sliders,
// edit boxes, combo boxes, buttons and labels behind the Control interface.
// What the rules write is shown without a word back: signals are blocked
// while a value is put on a widget, so it never comes back as the user's
// notification.
#include "Control.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <string>

namespace dravo {

class QtControl final : public Control {
public:
    explicit QtControl(QWidget* widget);

    QWidget* widget() const { return mWidget; }

    const std::string& name() const override { return mName; }

    // What was set (a language id stays an id) unless the user has typed
    // something else since.
    std::string text() const override;
    void setText(const std::string& text) override;

    int value() const override;
    void setValue(int value) override;
    int minimum() const override;
    int maximum() const override;
    void setRange(int minimum, int maximum) override;
    void setStep(int step) override;

    bool checked() const override;
    void setChecked(bool checked) override;
    bool selected() const override;
    void setSelected(bool selected) override;

    bool visible() const override;
    void setVisible(bool visible) override;
    bool enabled() const override;
    void setEnabled(bool enabled) override;

    int userData() const override;
    void setUserData(int data) override;

    int currentIndex() const override;
    void setCurrentIndex(int index) override;
    int itemCount() const override;
    bool itemVisible(int index) const override;
    void setItemVisible(int index, bool visible) override;
    void setItemHeight(int height) override;
    void setItemImage(int index, const std::string& image) override;

    std::uint32_t textColor() const override { return mTextColor; }
    void setTextColor(std::uint32_t argb) override;
    std::string image() const override;
    void setImage(const std::string& image) override;
    void setFocus() override;

    // Shows the text last set again, in the current language.
    void retranslate();
    // Whether the user has typed over what was last set.
    bool typedOver() const;

private:
    void showText(const QString& text);
    void setFlag(const char* property, bool on);

    QPointer<QWidget> mWidget;
    std::string mName;
    QString mText;
    bool mTextSet = false;
    std::uint32_t mTextColor;
    QString mBaseStyleSheet;
    bool mStyled = false;
    int mMinimum = 0;
    int mMaximum = 0;
    int mValue = 0;
};

} // namespace dravo

#pragma once
// A page held in memory: the controls the tuning logic touches, with no
// toolkit behind them. Tests and the command-line tool drive the logic
// through it; a test reads back what a user would see.
#include "EqualizerView.h"
#include "Page.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace dravo {

class MemoryControl final : public Control {
public:
    explicit MemoryControl(std::string name) : mName(std::move(name)) {}

    const std::string& name() const override { return mName; }
    std::string text() const override { return mText; }
    void setText(const std::string& text) override { mText = text; }
    int value() const override { return mValue; }
    void setValue(int value) override;
    int minimum() const override { return mMinimum; }
    int maximum() const override { return mMaximum; }
    void setRange(int minimum, int maximum) override;
    void setStep(int step) override { mStep = step; }
    int step() const { return mStep; }
    bool checked() const override { return mChecked; }
    void setChecked(bool checked) override { mChecked = checked; }
    bool selected() const override { return mSelected; }
    void setSelected(bool selected) override { mSelected = selected; }
    bool visible() const override { return mVisible; }
    void setVisible(bool visible) override { mVisible = visible; }
    bool enabled() const override { return mEnabled; }
    void setEnabled(bool enabled) override { mEnabled = enabled; }
    int userData() const override { return mUserData; }
    void setUserData(int data) override { mUserData = data; }
    int currentIndex() const override { return mCurrentIndex; }
    void setCurrentIndex(int index) override;
    int itemCount() const override { return static_cast<int>(mItems.size()); }
    bool itemVisible(int index) const override;
    void setItemVisible(int index, bool visible) override;
    void setItemHeight(int height) override { mItemHeight = height; }
    int itemHeight() const { return mItemHeight; }
    void setItemImage(int index, const std::string& image) override;
    std::string itemImage(int index) const;
    std::uint32_t textColor() const override { return mTextColor; }
    void setTextColor(std::uint32_t argb) override { mTextColor = argb; }
    std::string image() const override { return mImage; }
    void setImage(const std::string& image) override { mImage = image; }
    void setFocus() override { ++mFocusCount; }
    int focusCount() const { return mFocusCount; }

    // Combo items: name of each item (the layout's item names).
    void setItems(std::vector<std::string> names);
    const std::string& itemName(int index) const { return mItems.at(static_cast<std::size_t>(index)).name; }

private:
    struct Item {
        std::string name;
        bool visible = true;
        std::string image;
    };
    std::string mName;
    std::string mText;
    int mValue = 0;
    int mMinimum = -2147483647;
    int mMaximum = 2147483647;
    int mStep = 1;
    bool mChecked = false;
    bool mSelected = false;
    bool mVisible = true;
    bool mEnabled = true;
    int mUserData = 0;
    int mCurrentIndex = -1;
    std::vector<Item> mItems;
    int mItemHeight = 0;
    std::uint32_t mTextColor = 0xFF000000;
    std::string mImage;
    int mFocusCount = 0;
};

// Records what the logic handed to the curve display.
class MemoryEqualizerView final : public EqualizerView {
public:
    void setBands(const std::vector<DisplayBand>& bands) override { mBands = bands; ++mUpdates; }
    void setCrossover(int hpFreq, int lpFreq) override { mHp = hpFreq; mLp = lpFreq; }
    void setCurves(const std::array<CurveView, 12>& curves, const std::array<int, 12>& shown,
                   int selectedOutput) override
    {
        mCurves = curves;
        mShown = shown;
        mSelectedOutput = selectedOutput;
    }
    void setSelectedBand(int band) override { mSelectedBand = band; }
    void setParametric(bool parametric) override { mParametric = parametric; }
    void setAllBypassed(bool bypassed) override { mAllBypassed = bypassed; }

    std::vector<DisplayBand> mBands;
    int mHp = -1;
    int mLp = -1;
    std::array<CurveView, 12> mCurves{};
    std::array<int, 12> mShown{};
    int mSelectedOutput = -1;
    int mSelectedBand = -1;
    bool mParametric = false;
    bool mAllBypassed = false;
    int mUpdates = 0;
};

class MemoryPage final : public Page {
public:
    // With `createOnDemand`, find() makes any control it is asked for;
    // otherwise only added controls exist, as with a real layout.
    explicit MemoryPage(bool createOnDemand = false) : mCreateOnDemand(createOnDemand) {}

    MemoryControl& add(const std::string& name);
    // Adds the controls of the main page: every name the tuning logic binds.
    void addMainPageControls();

    Control* find(const std::string& name) override;
    MemoryControl& at(const std::string& name); // throws when absent: for tests
    bool has(const std::string& name) const { return mControls.count(name) != 0; }

    EqualizerView* equalizer() override { return mHasEqualizer ? &mEqualizer : nullptr; }
    MemoryEqualizerView& equalizerView() { return mEqualizer; }
    void setHasEqualizer(bool has) { mHasEqualizer = has; }

    // Language ids are returned as they are, so tests compare against ids.
    std::string text(const std::string& languageId) override { return languageId; }
    int scale() const override { return mScale; }
    void setScale(int scale) { mScale = scale; }

private:
    bool mCreateOnDemand;
    std::map<std::string, std::unique_ptr<MemoryControl>> mControls;
    MemoryEqualizerView mEqualizer;
    bool mHasEqualizer = true;
    int mScale = 100;
};

} // namespace dravo

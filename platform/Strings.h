// Lists of texts and single texts, as the profile code fills and reads them. A drop-down's
// item list and an edit field implement these, and so do the plain versions below.
#pragma once

#include <string>
#include <vector>

class TStrings {
public:
    virtual ~TStrings() = default;
    virtual int Count() const = 0;
    virtual std::string Get(int index) const = 0;
    virtual void Add(const std::string& s) = 0;
    virtual void Clear() = 0;
    // Brackets a run of changes, so a displayed list is redrawn once at the end.
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
};

class TStringList : public TStrings {
public:
    int Count() const override { return static_cast<int>(items_.size()); }
    std::string Get(int index) const override { return items_.at(static_cast<size_t>(index)); }
    void Add(const std::string& s) override { items_.push_back(s); }
    void Clear() override { items_.clear(); }
    void BeginUpdate() override { ++updateDepth_; }
    void EndUpdate() override { --updateDepth_; }

    const std::vector<std::string>& Items() const { return items_; }
    int UpdateDepth() const { return updateDepth_; }

private:
    std::vector<std::string> items_;
    int updateDepth_ = 0;
};

// Something with a current text, read anew each time it is asked.
class TTextSource {
public:
    virtual ~TTextSource() = default;
    virtual std::string GetText() const = 0;
};

// A text field whose text can also be set.
class TTextField : public TTextSource {
public:
    virtual void SetText(const std::string& text) = 0;
};

// A field held in memory, for code that works without a window.
class TTextValue : public TTextField {
public:
    explicit TTextValue(std::string text = {}) : text_(std::move(text)) {}
    std::string GetText() const override { return text_; }
    void SetText(const std::string& text) override { text_ = text; }

private:
    std::string text_;
};

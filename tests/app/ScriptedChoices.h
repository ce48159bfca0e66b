#pragma once
// Font and colour choices for tests: answers from a script (cancel when it runs dry), and
// a record of what each dialog was offered.
#include "app/ChoiceDialogs.h"

#include <deque>
#include <vector>

namespace velmora::test {

class ScriptedChoices final : public TChoiceService
{
public:
    std::deque<std::optional<TFontDesc>> fontAnswers;
    std::deque<std::optional<TColor>> colorAnswers;
    std::vector<TFontDesc> fontsOffered;

    std::optional<TFontDesc> chooseFont(QWidget *, const TFontDesc &initial) override
    {
        fontsOffered.push_back(initial);
        return next(fontAnswers);
    }
    std::optional<TColor> chooseColor(QWidget *, TColor) override { return next(colorAnswers); }

private:
    template <typename T> static std::optional<T> next(std::deque<std::optional<T>> &answers)
    {
        if (answers.empty())
            return std::nullopt;
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
};

// Installs a ScriptedChoices for the lifetime of the guard.
class ScopedScriptedChoices
{
public:
    ScopedScriptedChoices()
    {
        auto choices = std::make_unique<ScriptedChoices>();
        choices_ = choices.get();
        previous_ = SetChoiceService(std::move(choices));
    }
    ~ScopedScriptedChoices() { SetChoiceService(std::move(previous_)); }
    ScopedScriptedChoices(const ScopedScriptedChoices &) = delete;
    ScopedScriptedChoices &operator=(const ScopedScriptedChoices &) = delete;
    ScriptedChoices &choices() { return *choices_; }

private:
    ScriptedChoices *choices_;
    std::unique_ptr<TChoiceService> previous_;
};

} // namespace velmora::test

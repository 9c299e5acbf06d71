#pragma once

#include <functional>
#include <string>

#include "testwindow/runcontroller.h"

// A main window without widgets: records what the controller and the
// question builders do to it.
class FakeRunWindow : public RunWindow {
public:
    QString correctAnswer() const override { return answer; }
    QString bestQuestionScore() const override { return best; }
    void setBestQuestionScore(const QString &text) override { best = text; }
    QString totalScore() const override { return total; }
    void setTotalScore(const QString &text) override { total = text; }
    void setUnknownEnabled(bool enabled) override { unknownEnabled = enabled; }

    void DisableAnswerButtons() override { trueFalseEnabled = unknownEnabled = false; }
    void SetTitle(const std::string &text) override { title = text; }
    void SetExpression(const std::string &text) override { expression = text; }
    void ProcessPendingEvents() override
    {
        if (onProcessEvents) {
            onProcessEvents();
        }
    }
    void StoreCorrectAnswer(const std::string &value) override { answer = QString::fromStdString(value); }
    bool TertiarySelected() const override { return tertiary; }
    void EnableAnswerButtons(bool unknownToo) override
    {
        trueFalseEnabled = true;
        unknownEnabled = unknownEnabled || unknownToo;
    }

    QString answer, best, total;
    std::string title, expression;
    bool tertiary = true;
    bool trueFalseEnabled = true;
    bool unknownEnabled = true;
    // Runs whenever a build lets events through, like a user clicking then.
    std::function<void()> onProcessEvents;
};

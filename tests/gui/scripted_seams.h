#pragma once
// Test stand-ins for the dialog and message seams: a dialog that answers from a
// script and counts the times it is shown, and a message sink that records every
// message instead of showing a box.

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <vector>

#include "gui/state/dialog.h"
#include "gui/state/messages.h"

namespace tessaloom {

// Each answer is a file name with its filter entry, a colour, or neither: cancelled.
// The title and filter the dialog was shown with stay readable from the Dialog.
class ScriptedDialog : public Dialog {
 public:
  void AnswerFile(const QString& path, int filterIndex = 1) { m_answers.push_back({path, filterIndex, {}}); }
  void AnswerCancel() { m_answers.push_back({}); }
  void AnswerColor(Color color) { m_answers.push_back({{}, 1, color}); }
  int TimesShown() const { return m_timesShown; }
  bool AllAnswersUsed() const { return m_answers.empty(); }

  // The colours the colour dialog was shown on, oldest first.
  const std::vector<Color>& ColorStarts() const { return m_colorStarts; }

  bool ShowOpen() override { return AnswerWithFile(); }
  bool ShowSave() override { return AnswerWithFile(); }
  bool ShowColor() override {
    m_colorStarts.push_back(ChosenColor());
    const Scripted answer = Next();
    if (answer.color) SetChosenColor(*answer.color);
    return answer.color.has_value();
  }

 private:
  struct Scripted {
    std::optional<QString> fileName;
    int filterIndex = 1;
    std::optional<Color> color;
  };

  Scripted Next() {
    ++m_timesShown;
    Scripted answer;
    if (m_answers.empty()) ADD_FAILURE() << "a dialog with no answer scripted: " << Title().toStdString();
    else answer = m_answers.front(), m_answers.pop_front();
    return answer;
  }
  bool AnswerWithFile() {
    const Scripted answer = Next();
    SetFileName(answer.fileName.value_or(QString()));
    SetFilterIndex(answer.filterIndex);
    return answer.fileName.has_value();
  }

  std::deque<Scripted> m_answers;
  std::vector<Color> m_colorStarts;
  int m_timesShown = 0;
};

class CapturedMessages : public Messages {
 public:
  void Show(const Message& message) override { m_shown.push_back(message); }
  // Records the question and gives the next scripted answer: true for Yes.
  bool Ask(const Message& question) override {
    m_asked.push_back(question);
    if (m_answers.empty()) ADD_FAILURE() << "a question with no answer scripted: " << question.Text.toStdString();
    const bool yes = !m_answers.empty() && m_answers.front();
    if (!m_answers.empty()) m_answers.pop_front();
    return yes;
  }
  void AnswerQuestion(bool yes) { m_answers.push_back(yes); }
  // Records the name; a question about unsaved changes nobody scripted is answered Discard.
  SaveChoice AskSaveChanges(const QString& name) override {
    m_savePrompts.push_back(name);
    if (m_saveChoices.empty()) return SaveChoice::Discard;
    const SaveChoice choice = m_saveChoices.front();
    m_saveChoices.pop_front();
    return choice;
  }
  void AnswerSaveChanges(SaveChoice choice) { m_saveChoices.push_back(choice); }
  const std::vector<QString>& SavePrompts() const { return m_savePrompts; }

  const std::vector<Message>& Shown() const { return m_shown; }
  const std::vector<Message>& Asked() const { return m_asked; }
  bool AllAnswersUsed() const { return m_answers.empty() && m_saveChoices.empty(); }

 private:
  std::vector<Message> m_shown;
  std::vector<Message> m_asked;
  std::deque<bool> m_answers;
  std::vector<QString> m_savePrompts;
  std::deque<SaveChoice> m_saveChoices;
};

}  // namespace tessaloom

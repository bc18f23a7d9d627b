#pragma once
// Test stand-ins for the dialog and message seams: a dialog that answers from a
// script and records what each command asked, and a message sink that records every
// message instead of showing a box.

#include <deque>
#include <optional>
#include <vector>

#include "gui/state/dialog.h"
#include "gui/state/messages.h"

namespace tessaloom {

struct DialogRequest {
  enum class Kind { Open, Save, ColorPicker };
  Kind kind;
  QString title;
  QString filter;
  QString fileName;  // as the command set it before showing the dialog

  bool operator==(const DialogRequest&) const = default;
};

class ScriptedDialog : public Dialog {
 public:
  // The next file dialog returns `path` with filter pair `filterIndex` chosen.
  void AnswerFile(const QString& path, int filterIndex = 1);
  // The next dialog is cancelled.
  void AnswerCancel();
  void AnswerColor(Color color);

  const std::vector<DialogRequest>& Requests() const { return m_requests; }
  bool AllAnswersUsed() const { return m_answers.empty(); }

  bool ShowOpen() override { return Answer(DialogRequest::Kind::Open); }
  bool ShowSave() override { return Answer(DialogRequest::Kind::Save); }
  bool ShowColor() override { return Answer(DialogRequest::Kind::ColorPicker); }

 private:
  struct Scripted {
    std::optional<QString> fileName;  // none: cancelled
    int filterIndex = 1;
    std::optional<Color> color;
  };
  bool Answer(DialogRequest::Kind kind);

  std::deque<Scripted> m_answers;
  std::vector<DialogRequest> m_requests;
};

class CapturedMessages : public Messages {
 public:
  void Show(const Message& message) override { m_shown.push_back(message); }
  // Records the question and gives the next scripted answer.
  bool Ask(const Message& question) override;

  // The next question is answered Yes (true) or No.
  void AnswerQuestion(bool yes) { m_answers.push_back(yes); }

  const std::vector<Message>& Shown() const { return m_shown; }
  const std::vector<Message>& Asked() const { return m_asked; }
  bool AllAnswersUsed() const { return m_answers.empty(); }
  void Clear() { m_shown.clear(); }

 private:
  std::vector<Message> m_shown;
  std::vector<Message> m_asked;
  std::deque<bool> m_answers;
};

}  // namespace tessaloom

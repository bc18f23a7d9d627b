#include "scripted_seams.h"

#include <gtest/gtest.h>

namespace tessaloom {

void ScriptedDialog::AnswerFile(const QString& path, int filterIndex) {
  m_answers.push_back(Scripted{.fileName = path, .filterIndex = filterIndex});
}

void ScriptedDialog::AnswerCancel() { m_answers.push_back(Scripted{}); }

void ScriptedDialog::AnswerColor(Color color) { m_answers.push_back(Scripted{.color = color}); }

bool ScriptedDialog::Answer(DialogRequest::Kind kind) {
  m_requests.push_back(DialogRequest{kind, Title(), Filter(), FileName()});
  if (m_answers.empty()) {
    ADD_FAILURE() << "a dialog was shown with no answer scripted: " << Title().toStdString();
    SetFileName(QString());
    return false;
  }
  const Scripted answer = m_answers.front();
  m_answers.pop_front();
  if (kind == DialogRequest::Kind::ColorPicker) {
    if (answer.color) SetChosenColor(*answer.color);
    return answer.color.has_value();
  }
  SetFileName(answer.fileName.value_or(QString()));
  SetFilterIndex(answer.filterIndex);
  return answer.fileName.has_value();
}

bool CapturedMessages::Ask(const Message& question) {
  m_asked.push_back(question);
  if (m_answers.empty()) {
    ADD_FAILURE() << "a question was asked with no answer scripted: " << question.Text.toStdString();
    return false;
  }
  const bool yes = m_answers.front();
  m_answers.pop_front();
  return yes;
}

}  // namespace tessaloom

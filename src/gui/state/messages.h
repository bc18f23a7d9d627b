#pragma once
// The message boxes of the windows: a text, a title, an icon and one OK button, with
// the detail of a core error below the text. Every message goes through one
// Messages object, so that tests can capture them instead of showing boxes.

#include <QString>

#include "core/common/result.h"

namespace tessaloom {

enum class MessageIcon { None, Information, Exclamation, Question };

struct Message {
  QString Text;
  QString Title;
  MessageIcon Icon = MessageIcon::None;
  QString Detail;  // what exactly went wrong, shown under the text when not empty

  bool operator==(const Message&) const = default;
};

// The answers to the question asked before unsaved changes would be lost.
enum class SaveChoice { Save, Discard, Cancel };

// A core error in the words the user reads.
Message MessageFromError(const Error& error, MessageIcon icon = MessageIcon::Exclamation);

class Messages {
 public:
  virtual ~Messages() = default;
  // Returns when the user has dismissed the message.
  virtual void Show(const Message& message) = 0;
  // Asks a question with Yes and No buttons; true when the user answered Yes.
  virtual bool Ask(const Message& question) = 0;
  // Asks "Save changes to NAME?" with Save, Discard and Cancel buttons.
  virtual SaveChoice AskSaveChanges(const QString& name) = 0;
};

// The question AskSaveChanges shows.
QString SaveChangesText(const QString& name);

// Qt's modal message box over the active window.
class QtMessages : public Messages {
 public:
  void Show(const Message& message) override;
  bool Ask(const Message& question) override;
  SaveChoice AskSaveChanges(const QString& name) override;
};

}  // namespace tessaloom

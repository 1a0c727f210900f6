#pragma once
// One station's messages as a conversation: ours on the right with how they
// fared, theirs on the left, and a line to write the next one. It looks
// again whenever the store changes.
#include <QWidget>
#include <string>

class QLabel;
class QLineEdit;
class QListWidget;

namespace velmora {

class MessagingModule;

class ConversationWindow final : public QWidget {
public:
    ConversationWindow(MessagingModule& messages, std::string call, QWidget* parent = nullptr);
    const std::string& Call() const { return call_; }
    void Refresh();
    QLineEdit* Input() const { return input_; }
    QListWidget* Lines() const { return lines_; }
    // Sends what the input line holds, as the new-message dialog would.
    void SendTyped();

private:
    MessagingModule& messages_;
    std::string call_;
    QListWidget* lines_;
    QLineEdit* input_;
    QLabel* status_;
};

}  // namespace velmora

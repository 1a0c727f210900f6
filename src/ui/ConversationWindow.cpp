#include "stations/ByteLines.h"
#include "ui/ConversationWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <cstdio>

#include "app/MessagingModule.h"

namespace velmora {

ConversationWindow::ConversationWindow(MessagingModule& messages, std::string call, QWidget* parent)
    : QWidget(parent), messages_(messages), call_(std::move(call)) {
    setWindowTitle(QString::fromStdString("Messages with " + call_));
    setObjectName("ConversationWindow");
    lines_ = new QListWidget;
    lines_->setWordWrap(true);
    lines_->setSelectionMode(QAbstractItemView::NoSelection);
    input_ = new QLineEdit;
    input_->setPlaceholderText(QString::fromStdString("Message to " + call_));
    input_->setMaxLength(254);
    auto* send = new QPushButton("Send");
    status_ = new QLabel;
    auto* row = new QHBoxLayout;
    row->addWidget(input_);
    row->addWidget(send);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lines_);
    layout->addLayout(row);
    layout->addWidget(status_);
    QObject::connect(input_, &QLineEdit::returnPressed, this, [this] { SendTyped(); });
    QObject::connect(send, &QPushButton::clicked, this, [this] { SendTyped(); });
    Refresh();
}

void ConversationWindow::Refresh() {
    lines_->clear();
    for (const ConversationLine& l : messages_.Conversation(call_)) {
        const LocalDateTime t = FromTimeStamp(l.time);
        char stamp[24];
        std::snprintf(stamp, sizeof stamp, "%02d:%02d", t.hour, t.minute);
        QString text = QString::fromStdString(std::string(stamp) + "  " + DisplayText(l.text));
        if (!l.status.empty()) text += QString::fromStdString("   [" + l.status + "]");
        auto* item = new QListWidgetItem(text, lines_);
        item->setTextAlignment(l.mine ? Qt::AlignRight : Qt::AlignLeft);
        // As the message list colours them: theirs red; ours acknowledged
        // green, cancelled grey, waiting purple.
        QColor colour(200, 0, 0);
        if (l.mine) colour = l.status.rfind('A', 0) == 0 ? QColor(0, 128, 0)
                             : l.status == "D"           ? QColor(128, 128, 128)
                                                         : QColor(160, 0, 160);
        item->setForeground(colour);
    }
    lines_->scrollToBottom();
}

void ConversationWindow::SendTyped() {
    const std::string text = input_->text().toStdString();
    if (text.empty()) return;
    std::string status;
    if (messages_.SendAsDialog(call_, text, &status)) input_->clear();
    status_->setText(QString::fromStdString(status));
    Refresh();
}

}  // namespace velmora

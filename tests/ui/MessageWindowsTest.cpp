// The message dialogs and windows of the desktop, over the real program.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QAction>
#include <QPushButton>
#include <QTableView>
#include <QTextBrowser>

#include "app/MenuTable.h"
#include "support/DesktopProgram.h"
#include "support/MessagingFixture.h"
#include "ui/ConversationWindow.h"
#include "ui/ListWindow.h"
#include "ui/NewMessageDialog.h"

namespace velmora {
namespace {

void Edit(QLineEdit* field, const QString& text) {
    field->setText(text);
    emit field->textEdited(text);
}

TEST(NewMessageDialog, ShowsTheFormAfterEveryEdit) {
    test::MessagingFixture f;
    NewMessageContext c;
    c.open[kBoxVhf] = true;
    NewMessageForm form(f.messaging, c);
    form.Open("N0ME");
    NewMessageDialog d(form);
    EXPECT_EQ(d.windowTitle(), "New Message Dialog");
    EXPECT_EQ(d.StatusLine()->text(), "Don't send messages to yourself");
    EXPECT_FALSE(d.OkButton()->isEnabled());
    EXPECT_FALSE(d.Box(kBoxHf)->isEnabled());
    EXPECT_TRUE(d.Box(kBoxVhf)->isChecked());
    Edit(d.ToField(), "w1aw");
    EXPECT_EQ(d.ToField()->text(), "W1AW");
    Edit(d.TextField(), "Hello there");
    EXPECT_TRUE(d.OkButton()->isEnabled());
    for (QPushButton* b : d.findChildren<QPushButton*>())
        if (b->text() == "Bulletin") b->click();
    EXPECT_EQ(d.ToField()->text(), "BLN1");
    EXPECT_EQ(d.StatusLine()->text(), "Bulletins get sent every 20 min for 4 hours");
    if (const char* shot = std::getenv("VELMORA_MESSAGE_SCREENSHOT")) d.grab().save(shot);
    d.OkButton()->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    ASSERT_EQ(f.links.sent.size(), 1u);
    EXPECT_EQ(f.links.sent[0].line, ":BLN1     :Hello there{000\r");
    EXPECT_EQ(f.links.sent[0].port, '2');
}

TEST(MessageWindows, ListKeysAndTheConversation) {
    test::DesktopProgram d;
    Program& p = *d.program;
    p.Start();
    p.Core().SetOwnCall("N0ME");
    p.Core().ProcessReceivedLine("W1AW>APRS:>on the air", Liveness::kLive, SourceKind::kVhf);
    ASSERT_TRUE(p.Messages().SendAsDialog("W1AW", "First"));
    ASSERT_TRUE(p.Messages().SendAsDialog("W1AW", "Second"));
    p.Core().ProcessReceivedLine("W1AW>APRS::N0ME     :Hi there{7", Liveness::kLive, SourceKind::kVhf);
    // Mail brought the list up.
    ListWindow* list = nullptr;
    for (QMdiSubWindow* sub : d.ui.Frame().Mdi()->subWindowList())
        if (auto* w = dynamic_cast<ListWindow*>(sub->widget()); w && w->windowTitle() == "Messages") list = w;
    ASSERT_NE(list, nullptr);
    list->RefreshNow();
    ASSERT_EQ(list->Table().Rows().size(), 3u);
    // Delete on the first (ours, in flight) cancels it and lets the second go.
    list->View()->selectRow(0);
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(list->View(), &del);
    EXPECT_EQ(p.Core().Messages().At(0).ackState, MessageEntry::kCancelled);
    EXPECT_FALSE(p.Core().Messages().At(1).held);
    // A key on someone else's message is refused.
    list->View()->selectRow(2);
    EXPECT_FALSE(list->KeyOnSelection('X'));

    d.ui.ShowConversation("W1AW");
    ConversationWindow* chat = nullptr;
    for (QMdiSubWindow* sub : d.ui.Frame().Mdi()->subWindowList())
        if (auto* w = dynamic_cast<ConversationWindow*>(sub->widget())) chat = w;
    ASSERT_NE(chat, nullptr);
    EXPECT_EQ(chat->windowTitle(), "Messages with W1AW");
    ASSERT_EQ(chat->Lines()->count(), 3);
    EXPECT_TRUE(chat->Lines()->item(2)->text().contains("Hi there"));
    EXPECT_TRUE(chat->Lines()->item(0)->text().contains("[D]"));
    chat->Input()->setText("Reply from the chat");
    chat->SendTyped();
    EXPECT_EQ(chat->Lines()->count(), 4);
    EXPECT_EQ(p.Core().Messages().At(3).text.View(), "Reply from the chat");
    EXPECT_TRUE(chat->Input()->text().isEmpty());
    p.Core().ProcessReceivedLine("W1AW>APRS::N0ME     :ack001", Liveness::kLive, SourceKind::kVhf);
    EXPECT_TRUE(chat->Lines()->item(1)->text().contains("[A "));  // the store changed: it looked again
    if (const char* shot = std::getenv("VELMORA_CHAT_SCREENSHOT")) d.ui.Frame().grab().save(shot);
}

TEST(FrameHelp, F1OpensTheUserSectionsOfTheReadme) {
    test::DesktopProgram d;
    d.program->FunctionKey(112, false);
    QWidget* help = nullptr;
    for (QMdiSubWindow* sub : d.ui.Frame().Mdi()->subWindowList())
        if (sub->widget()->objectName() == "HelpWindow") help = sub->widget();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->windowTitle(), "Velmora Help");
    const QString text = static_cast<QTextBrowser*>(help)->toPlainText();
    EXPECT_TRUE(text.contains("Messages"));
    EXPECT_TRUE(text.contains("gpsd"));
    EXPECT_FALSE(text.contains("velmora-decode [--call CALL]"));  // the tools' reference stays out
    if (const char* shot = std::getenv("VELMORA_HELP_SCREENSHOT")) d.ui.Frame().grab().save(shot);
    d.program->Command(kCmdHelp);  // again: the same window comes up
    int windows = 0;
    for (QMdiSubWindow* sub : d.ui.Frame().Mdi()->subWindowList()) windows += sub->widget()->objectName() == "HelpWindow";
    EXPECT_EQ(windows, 1);
}

TEST(FrameShortcuts, TheCommonCommandsHaveTheirKeys) {
    test::DesktopProgram d;
    auto& actions = d.ui.Frame().Actions();
    EXPECT_EQ(actions.at(kCmdExit)->shortcut(), QKeySequence(QKeySequence::Quit));
    EXPECT_EQ(actions.at(kCmdNewMessage)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_M));
    EXPECT_EQ(actions.at(kCmdStationList)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
    // Control-H stays the map's home view.
    for (const auto& [id, action] : actions) EXPECT_NE(action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_H)) << id;
}

}  // namespace
}  // namespace velmora

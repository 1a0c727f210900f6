#include "ui/TerminalWindow.h"

#include <QKeyEvent>
#include <QTextCharFormat>

namespace velmora {
namespace {

QColor ColourFor(int code) {
    switch (code) {
        case 3: return Qt::darkRed;    // HF TNC
        case 6: return Qt::darkBlue;   // VHF TNC
        default: return Qt::black;
    }
}

}  // namespace

TerminalWindow::TerminalWindow(std::function<void(std::string_view)> typed, QWidget* parent)
    : QPlainTextEdit(parent), typed_(std::move(typed)) {
    setObjectName("TerminalWindow");
    setReadOnly(true);
    setMaximumBlockCount(2000);  // the window keeps the recent lines only
    QFont mono("Monospace");
    mono.setStyleHint(QFont::TypeWriter);
    setFont(mono);
}

void TerminalWindow::Show(std::string_view text, int colour) {
    QTextCharFormat format;
    format.setForeground(ColourFor(colour));
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    QString shown = QString::fromLatin1(text.data(), static_cast<int>(text.size()));
    shown.replace('\r', '\n');
    if (colour != 0) shown += '\n';
    cursor.insertText(shown, format);
    ensureCursorVisible();
}

void TerminalWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Backtab) {  // Shift+Tab: to the next window
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    const QByteArray bytes = event->text().toLatin1();
    if (!bytes.isEmpty() && typed_) {
        typed_(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

}  // namespace velmora

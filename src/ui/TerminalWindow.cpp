#include "stations/ByteLines.h"
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
    QString shown = QString::fromStdString(TextAsUtf8(text));
    shown.replace('\r', '\n');
    // ESC sequences and other control bytes from the air are not for the screen.
    shown.removeIf([](QChar c) { return (c.unicode() < 0x20 && c != '\n' && c != '\t') || c.unicode() == 0x7F; });
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

#pragma once
// The terminal window: what arrives on its port, and the TNC's lines in the
// port's colour; each typed character goes to the port as one byte.
#include <QPlainTextEdit>
#include <functional>
#include <string_view>

namespace velmora {

class TerminalWindow : public QPlainTextEdit {
public:
    explicit TerminalWindow(std::function<void(std::string_view)> typed, QWidget* parent = nullptr);
    void Show(std::string_view text, int colour);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::function<void(std::string_view)> typed_;
};

}  // namespace velmora

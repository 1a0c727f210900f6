#pragma once
// A station's information window: its symbol picture and everything the
// table knows of it, brought up to date each second while it is open.
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class QLabel;
class QPlainTextEdit;

namespace velmora {

class StationInfoWindow final : public QWidget {
public:
    using TextSource = std::function<std::string(const std::string& call)>;
    StationInfoWindow(std::string call, char table, char code, TextSource text, QWidget* parent = nullptr);
    const std::string& Call() const { return call_; }
    QString Text() const;
    void Refresh();
    // The map menu's actions as buttons: (label, what it does).
    using Action = std::pair<const char*, std::function<void()>>;
    void AddActions(const std::vector<Action>& actions);

private:
    std::string call_;
    TextSource source_;
    QLabel* picture_;
    QPlainTextEdit* text_;
    QTimer timer_;
};

}  // namespace velmora

#include "platform/qt/QtSound.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QApplication>
#include <QFileInfo>
#include <QUrl>

namespace velmora {

QtSound::QtSound() = default;
QtSound::~QtSound() = default;

bool QtSound::PlayFile(const std::string& path) {
    const QString file = QString::fromStdString(path);
    if (!QFileInfo(file).isReadable() || QMediaDevices::audioOutputs().isEmpty()) return false;
    effect_ = std::make_unique<QSoundEffect>();
    effect_->setSource(QUrl::fromLocalFile(file));
    effect_->play();
    return true;
}

void QtSound::Beep() {
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) QApplication::beep();
}

}  // namespace velmora

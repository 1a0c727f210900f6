#include "ui/ObjectDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include "geo/PositionInput.h"
#include "lists/SymbolNames.h"
#include "maps/SymbolArt.h"
#include "platform/qt/QtSurface.h"

namespace velmora {
namespace {

QIcon SymbolIcon(char table, char code, double density) {
    QtSurface surface(16, 16, density);
    SymbolArt::Paint(surface, {8, 8}, table, code);
    QImage image = surface.Finish();
    image.setDevicePixelRatio(density);
    return QIcon(QPixmap::fromImage(image));
}

// Every symbol with a name, the primary table first; the data is "tc".
void FillSymbols(QComboBox* box, double density) {
    for (const char table : {'/', '\\'}) {
        for (char code = '!'; code <= '~'; ++code) {
            const std::string_view meaning = SymbolMeaning(table, code);
            if (meaning.empty()) continue;
            const QString key = QString(QChar(table)) + QChar(code);
            box->addItem(SymbolIcon(table, code, density), key + "  " + QString::fromUtf8(meaning.data(), int(meaning.size())),
                         key);
        }
    }
}

}  // namespace

ObjectDialog::ObjectDialog(ObjectForm& form, QWidget* parent)
    : QDialog(parent), form_(form), name_(new QLineEdit(QString::fromStdString(form.name))), overlay_(new QLineEdit),
      position_(new QLineEdit(QString::fromStdString(form.position))),
      comment_(new QLineEdit(QString::fromStdString(form.comment))), item_(new QCheckBox("An item (no time stamp)")),
      hf_(new QCheckBox("HF")), vhf_(new QCheckBox("VHF")), internet_(new QCheckBox("Internet")),
      symbol_(new QComboBox), course_(new QSpinBox), speed_(new QSpinBox), readBack_(new QLabel), problem_(new QLabel) {
    setWindowTitle(form.editing ? "Edit Object" : "Create Object");
    setObjectName("ObjectDialog");
    name_->setMaxLength(9);
    name_->setPlaceholderText("EOC or 147.39-NY");
    name_->setEnabled(!form.editing);
    item_->setChecked(form.item);
    FillSymbols(symbol_, devicePixelRatioF());
    symbol_->setMaxVisibleItems(20);
    const bool overlay = form.symbolTable != '/' && form.symbolTable != '\\';
    const QString key = QString(QChar(overlay ? '\\' : form.symbolTable)) + QChar(form.symbolCode);
    if (const int at = symbol_->findData(key); at >= 0) symbol_->setCurrentIndex(at);
    overlay_->setMaxLength(1);
    overlay_->setMaximumWidth(56);
    overlay_->setPlaceholderText("none");
    if (overlay) overlay_->setText(QString(QChar(form.symbolTable)));
    position_->setPlaceholderText("47 36.50N 122 20.00W");
    course_->setRange(0, 360);
    course_->setSuffix("°");
    course_->setValue(form.course);
    speed_->setRange(0, 999);
    speed_->setSuffix(" kn");
    speed_->setValue(form.speed);
    comment_->setMaxLength(43);
    hf_->setChecked(form.hf), vhf_->setChecked(form.vhf), internet_->setChecked(form.internet);
    problem_->setWordWrap(true);
    problem_->setStyleSheet("color: #b00000");
    readBack_->setWordWrap(true);

    auto* fields = new QFormLayout;
    fields->addRow("Name", name_);
    fields->addRow("", item_);
    auto* symbolRow = new QHBoxLayout;
    symbolRow->addWidget(symbol_, 1);
    symbolRow->addWidget(new QLabel("Overlay"));
    symbolRow->addWidget(overlay_);
    fields->addRow("Symbol", symbolRow);
    fields->addRow("Position", position_);
    fields->addRow("", readBack_);
    auto* motion = new QHBoxLayout;
    motion->addWidget(course_);
    motion->addWidget(speed_);
    motion->addStretch();
    fields->addRow("Course and speed", motion);
    fields->addRow("Comment", comment_);
    auto* routes = new QHBoxLayout;
    for (QCheckBox* b : {hf_, vhf_, internet_}) routes->addWidget(b);
    routes->addStretch();
    fields->addRow("Send on", routes);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(position_, &QLineEdit::textChanged, this, [this] { ShowReading(); });
    connect(item_, &QCheckBox::toggled, this, [this](bool on) {
        course_->setEnabled(!on);
        speed_->setEnabled(!on);
    });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(problem_);
    layout->addWidget(buttons);
    ShowReading();
    resize(480, sizeHint().height());
}

void ObjectDialog::ShowReading() {
    const PositionRead r = ReadPosition(position_->text().toStdString());
    readBack_->setText(r.position ? "Read as " + QString::fromStdString(ShowPosition(r.position->lat, r.position->lon))
                                  : QString::fromStdString(r.problem));
}

bool ObjectDialog::Store() {
    ObjectForm edited = form_;
    edited.name = name_->text().trimmed().toStdString();
    edited.item = item_->isChecked();
    const QString key = symbol_->currentData().toString();
    const QString overlay = overlay_->text().trimmed().toUpper();
    if (key.size() == 2) {
        edited.symbolTable = overlay.isEmpty() ? key[0].toLatin1() : overlay[0].toLatin1();
        edited.symbolCode = key[1].toLatin1();
    }
    edited.position = position_->text().toStdString();
    edited.course = course_->value(), edited.speed = speed_->value();
    edited.comment = comment_->text().toStdString();
    edited.hf = hf_->isChecked(), edited.vhf = vhf_->isChecked(), edited.internet = internet_->isChecked();
    const ObjectForm::Read read = edited.Entry();
    std::string why = read.problem;
    if (why.empty()) why = OwnObjectStore::SymbolProblem(read.entry.symbolTable, read.entry.symbolCode);
    if (why.empty()) why = OwnObjectStore::CommentProblem(read.entry.comment);
    problem_->setText(QString::fromStdString(why));
    if (!why.empty()) return false;
    form_ = edited;
    return true;
}

QString ObjectDialog::Problem() const { return problem_->text(); }

void ObjectDialog::accept() {
    if (Store()) QDialog::accept();
}

}  // namespace velmora

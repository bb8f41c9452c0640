#include "shell/findradios.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/device.h"
#include "radio/radiofinder.h"

namespace {

// The model box's entry for the IC-821 window of ordinary controls.
constexpr int TextWindow = -1;

QString hex2(int b) { return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper(); }

}  // namespace

FindRadiosForm::FindRadiosForm(OpenRadio openRadio, QWidget* parent)
    : QDialog(parent), openRadio_(std::move(openRadio)), finder_(new RadioFinder(this))
{
    setWindowTitle(QStringLiteral("Find Radios"));
    setModal(false);
    device_ = new QComboBox(this);
    all_ = new QCheckBox(QStringLiteral("All addresses (01-DF, about half a minute at 9600 Bd)"), this);
    find_ = new QPushButton(QStringLiteral("Find"), this);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    progress_ = new QProgressBar(this);
    radios_ = new QTreeWidget(this);
    radios_->setHeaderLabels({QStringLiteral("Address"), QStringLiteral("Model"), QStringLiteral("Frequency"),
                              QStringLiteral("Mode")});
    radios_->setRootIsDecorated(false);
    radios_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    model_ = new QComboBox(this);
    open_ = new QPushButton(QStringLiteral("Open"), this);
    status_ = new QLabel(this);
    status_->setWordWrap(true);
    // The parts' names, by which tests find them.
    device_->setObjectName(QStringLiteral("device"));
    all_->setObjectName(QStringLiteral("allAddresses"));
    find_->setObjectName(QStringLiteral("find"));
    cancel_->setObjectName(QStringLiteral("cancel"));
    progress_->setObjectName(QStringLiteral("progress"));
    radios_->setObjectName(QStringLiteral("radios"));
    model_->setObjectName(QStringLiteral("model"));
    open_->setObjectName(QStringLiteral("open"));
    status_->setObjectName(QStringLiteral("status"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Device"), device_);
    form->addRow(QString(), all_);
    auto* search = new QHBoxLayout;
    search->addWidget(find_);
    search->addWidget(cancel_);
    search->addWidget(progress_, 1);
    auto* opening = new QHBoxLayout;
    opening->addWidget(new QLabel(QStringLiteral("Open as"), this));
    opening->addWidget(model_, 1);
    opening->addWidget(open_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(search);
    layout->addWidget(radios_);
    layout->addLayout(opening);
    layout->addWidget(status_);
    resize(460, 340);

    connect(find_, &QPushButton::clicked, this, &FindRadiosForm::find);
    connect(cancel_, &QPushButton::clicked, finder_, &RadioFinder::cancel);
    connect(open_, &QPushButton::clicked, this, &FindRadiosForm::openSelected);
    connect(radios_, &QTreeWidget::currentItemChanged, this, &FindRadiosForm::offerModels);
    connect(radios_, &QTreeWidget::itemDoubleClicked, this, &FindRadiosForm::openSelected);
    connect(finder_, &RadioFinder::found, this, &FindRadiosForm::addRadio);
    connect(finder_, &RadioFinder::progressed, this, &FindRadiosForm::showProgress);
    connect(finder_, &RadioFinder::finished, this, &FindRadiosForm::searchEnded);
    updateControls();
}

FindRadiosForm::~FindRadiosForm() = default;

void FindRadiosForm::showEvent(QShowEvent* event)
{
    refreshDevices();
    QDialog::showEvent(event);
}

void FindRadiosForm::done(int result)
{
    finder_->cancel();
    QDialog::done(result);
}

void FindRadiosForm::refreshDevices()
{
    const int chosen = device_->currentData().isValid() ? device_->currentData().toInt() : -1;
    device_->clear();
    for (int i = 0; DeviceList && i < DeviceList->count(); ++i)
        device_->addItem(DeviceList->at(i)->Name, i);
    const int again = device_->findData(chosen);
    if (again >= 0)
        device_->setCurrentIndex(again);
    if (!finder_->running())
        status_->setText(device_->count() == 0
                             ? QStringLiteral("Add a device first (Device Setup > Add Device).")
                             : QString());
    updateControls();
}

void FindRadiosForm::find()
{
    Tdevice* device = DeviceList ? DeviceList->at(device_->currentData().toInt()) : nullptr;
    if (!device || finder_->running())
        return;
    searched_ = device;
    radios_->clear();
    status_->clear();
    finder_->start(*device, all_->isChecked());
    updateControls();
}

void FindRadiosForm::addRadio(const FoundRadio& radio)
{
    auto* item =
        new QTreeWidgetItem(radios_, {hex2(radio.address), radio.modelNames(), radio.frequency, radio.mode});
    item->setData(0, Qt::UserRole, int(radio.address));
    QList<QVariant> models;
    for (RigModel m : radio.models)
        models << int(m);
    item->setData(1, Qt::UserRole, models);
    if (!radios_->currentItem())
        radios_->setCurrentItem(item);
}

void FindRadiosForm::showProgress(int asked, int total)
{
    progress_->setRange(0, total);
    progress_->setValue(asked);
}

void FindRadiosForm::searchEnded(bool cancelled)
{
    const int found = radios_->topLevelItemCount();
    if (cancelled)
        status_->setText(QStringLiteral("Search cancelled; %1 radio(s) found before.").arg(found));
    else if (found == 0)
        status_->setText(
            QStringLiteral("No radio answered on %1.").arg(searched_ ? searched_->Name : QString()));
    else
        status_->setText(QStringLiteral("%1 radio(s) found on %2.").arg(found).arg(searched_->Name));
    updateControls();
}

void FindRadiosForm::offerModels()
{
    model_->clear();
    const QTreeWidgetItem* item = radios_->currentItem();
    if (item) {
        QList<RigModel> models;
        for (const QVariant& m : item->data(1, Qt::UserRole).toList())
            models << RigModel(m.toInt());
        // An address no model has by default may be any radio set so.
        if (models.isEmpty())
            models = QList<RigModel>(std::begin(AllRigModels), std::end(AllRigModels));
        for (RigModel m : models)
            model_->addItem(QString::fromLatin1(rigModelInfo(m).name), int(m));
        if (models.contains(RigModel::IC821))
            model_->addItem(QStringLiteral("IC-821 (Text)"), TextWindow);
    }
    updateControls();
}

void FindRadiosForm::openSelected()
{
    const QTreeWidgetItem* item = radios_->currentItem();
    if (!item || !searched_ || model_->currentIndex() < 0)
        return;
    const int choice = model_->currentData().toInt();
    const bool text = choice == TextWindow;
    const RigModel model = text ? RigModel::IC821 : RigModel(choice);
    openRadio_(model, text, DeviceChoice{searched_, item->data(0, Qt::UserRole).toInt()});
}

void FindRadiosForm::updateControls()
{
    const bool running = finder_->running();
    find_->setEnabled(!running && device_->count() > 0);
    cancel_->setEnabled(running);
    device_->setEnabled(!running);
    all_->setEnabled(!running);
    open_->setEnabled(radios_->currentItem() != nullptr && model_->count() > 0);
}

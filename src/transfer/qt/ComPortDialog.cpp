// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/qt/ComPortDialog.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/Prompt.h"
#include "settings/ComPortSettings.h"

ComPortDialog::ComPortDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("COM Port");
    auto* group = new QGroupBox(this);
    auto* prompt =
        new QLabel("&Select the serial port that is\nconnected to your equipment", group);
    m_ports = new QComboBox(group);
    m_ports->addItems({"COM1", "COM2", "COM3", "COM4"});
    prompt->setBuddy(m_ports);

    auto* deviceLabel = new QLabel(tr("&Device:"), group);
    m_device = new QComboBox(group);
    m_device->setEditable(true);
    m_device->addItems(SerialDevices());
    m_device->setMinimumContentsLength(28);
    m_device->setToolTip(
        tr("The serial device behind the port, or tcp:HOST:PORT for a deskset behind a serial "
           "device server."));
    deviceLabel->setBuddy(m_device);

    for (int port = 1; port <= ComPortSettings::kComPortCount; ++port) {
        m_devices[port] = ComPortSettings::ComPortDevice(port);
    }
    const int stored = ComPortSettings::ComPortDigit().toInt();
    m_ports->setCurrentIndex(stored >= 1 && stored <= ComPortSettings::kComPortCount ? stored - 1
                                                                                     : -1);
    ShowDeviceOfSelectedPort();
    connect(m_ports, &QComboBox::currentIndexChanged, this,
            &ComPortDialog::ShowDeviceOfSelectedPort);
    connect(m_device, &QComboBox::currentTextChanged, this, &ComPortDialog::KeepTypedDevice);

    auto* close = new QPushButton("Close", this);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &ComPortDialog::accept);

    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(prompt);
    groupLayout->addWidget(m_ports);
    groupLayout->addWidget(deviceLabel);
    groupLayout->addWidget(m_device);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(close, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QStringList ComPortDialog::SerialDevices() {
    QStringList devices;
    const QDir byId("/dev/serial/by-id");
    for (const QString& name : byId.entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
        devices << byId.filePath(name);
    }
    const QDir dev("/dev");
    for (const QString& name : dev.entryList({"ttyUSB*", "ttyACM*"}, QDir::System)) {
        devices << dev.filePath(name);
    }
    return devices;
}

void ComPortDialog::ShowDeviceOfSelectedPort() {
    const int port = m_ports->currentIndex() + 1;
    m_device->setEnabled(port > 0);
    const QSignalBlocker block(m_device);
    m_device->setEditText(port > 0 ? m_devices.value(port) : QString());
}

void ComPortDialog::KeepTypedDevice() {
    const int port = m_ports->currentIndex() + 1;
    if (port > 0) {
        m_devices[port] = m_device->currentText().trimmed();
    }
}

void ComPortDialog::accept() {
    const int port = m_ports->currentIndex() + 1;
    if (port <= 0) {
        ThePrompt().Warn(kMustSelect);
        return;
    }
    ComPortSettings::SetComPort(port);
    for (auto it = m_devices.begin(); it != m_devices.end(); ++it) {
        if (!it.value().isEmpty() && it.value() != ComPortSettings::ComPortDevice(it.key())) {
            ComPortSettings::SetComPortDevice(it.key(), it.value());
        }
    }
    QDialog::accept();
}

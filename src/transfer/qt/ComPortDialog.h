// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "COM Port": chooses the serial port of the deskset (COM1 to COM4) and, on
// Linux, the device behind each port.

#include <QDialog>
#include <QMap>

class QComboBox;

class ComPortDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr char kMustSelect[] = "You must select a COM port to continue.";

    explicit ComPortDialog(QWidget* parent = nullptr);

    QComboBox* PortList() const { return m_ports; }
    QComboBox* DeviceBox() const { return m_device; }

    // Serial devices present on this machine, stable names first.
    static QStringList SerialDevices();

public slots:
    void accept() override;

private:
    void ShowDeviceOfSelectedPort();
    void KeepTypedDevice();

    QComboBox* m_ports;
    QComboBox* m_device;
    QMap<int, QString> m_devices;  // port number to device, as edited
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The channel page: keying, signaling option, levels, port, parallel desksets
// and I/O assignments. Its keying and option decide the wizard's other pages.

#include <array>

#include "model/deskset/ChannelPageForm.h"
#include "model/deskset/qt/ChanWizardPage.h"

class FilteredEdit;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

class ChanConfigPage : public ChanWizardPage {
    Q_OBJECT

public:
    explicit ChanConfigPage(int channelIndex, QWidget* parent = nullptr);

    QButtonGroup* KeyingGroup() const { return m_keying; }
    QButtonGroup* OptionGroup() const { return m_option; }
    QLineEdit* DesksetIdEdit() const;
    QComboBox* TxLevelList() const { return m_txLevel; }
    QComboBox* RxAgcLevelList() const { return m_rxAgcLevel; }
    QComboBox* List(ChannelList list) const { return m_lists[static_cast<std::size_t>(list)]; }
    QCheckBox* MonitorLatchingCheck() const { return m_monitorLatching; }
    QLineEdit* LabelEdit() const { return m_label; }
    QCheckBox* DetectionCheck() const { return m_detection; }
    QLineEdit* HangoverDelayEdit() const { return m_hangoverDelay; }

signals:
    // The keying or signaling option, loaded or clicked, calls for these pages.
    void PageSequenceChanged(int keying, int option);

protected:
    void Load(const ChannelRecord& record) override;
    bool Validate() override;
    void Write(ChannelRecord& record) const override;

private:
    QWidget* MakeKeyingGroup();
    QWidget* MakeLevelsGroup();
    QWidget* MakeSignalingGroup();
    QWidget* MakeParallelGroup();
    QWidget* MakePortGroup();
    QWidget* MakeIoGroup();
    QComboBox* MakeChannelList(ChannelList list);

    ChannelPageForm Read() const;
    void Show(const ChannelPageForm& form);
    // The deskset ID and the label follow the keying and the option.
    void ShowDependentControls(const ChannelPageForm& form);
    void OnRadioClicked();

    QButtonGroup* m_keying;
    QButtonGroup* m_option;
    QRadioButton* m_dcRadio = nullptr;
    FilteredEdit* m_desksetId = nullptr;
    QComboBox* m_txLevel = nullptr;
    QComboBox* m_rxAgcLevel = nullptr;
    std::array<QComboBox*, kChannelListCount> m_lists{};
    QCheckBox* m_monitorLatching = nullptr;
    QLabel* m_labelLabel = nullptr;
    QLineEdit* m_label = nullptr;
    QLabel* m_detectionLabel = nullptr;
    QCheckBox* m_detection = nullptr;
    QLineEdit* m_hangoverDelay = nullptr;
};

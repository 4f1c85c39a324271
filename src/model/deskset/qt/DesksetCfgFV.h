// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Deskset Configuration": the deskset-wide settings, the deskset type among them.

#include <array>

#include "model/deskset/DesksetSettingsForm.h"
#include "model/editing/qt/FormWindow.h"

class AcceleratedSpinEdit;
class QCheckBox;
class QComboBox;

class DesksetCfgFV : public FormWindow {
    Q_OBJECT

public:
    static constexpr char kEraseQuestion[] =
        "Are you sure you want to erase the data for channels 2, 3, and 4 ?";

    explicit DesksetCfgFV(const EditorContext& context);

    void OnInitialUpdate() override;

    QComboBox* DesksetType() const { return m_type; }
    QComboBox* MuteTimer() const { return m_muteTimer; }
    QComboBox* MuteLevel() const { return m_muteLevel; }
    QCheckBox* UnselectSpeaker() const { return m_unselectSpeaker; }
    AcceleratedSpinEdit* NumberEdit(DesksetField field) const {
        return m_numbers[static_cast<std::size_t>(field)];
    }
    DesksetSettingsForm ReadForm() const;

protected:
    std::optional<Refusal> Check() const override;
    // Asks before a four-channel deskset becomes a single-channel one.
    bool Write() override;

private:
    void ShowForm(const DesksetSettingsForm& form);
    void EnableMultiChannelControls();
    // The type change to single channel; false when the user said No.
    bool ConvertToSingleChannel();
    void ConvertToFourChannels();

    QComboBox* m_type;
    QComboBox* m_muteTimer;
    QComboBox* m_muteLevel;
    QComboBox* m_printerBaudRate;
    QComboBox* m_hourMode;
    QComboBox* m_pagingFeedback;
    std::array<AcceleratedSpinEdit*, kDesksetNumberCount> m_numbers{};
    QCheckBox* m_unselectSpeaker;
    QCheckBox* m_externalMic;
    QCheckBox* m_displayTime;
    QCheckBox* m_micAgc;
    QCheckBox* m_handsetPresent;
    std::array<QCheckBox*, layout::deskset::kRelayCount> m_relays{};
};

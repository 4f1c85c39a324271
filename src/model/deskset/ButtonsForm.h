// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules of the buttons editor: the 18 keys' working copy with its one
// step of undo, the short label of each key, and what the dialog of one key
// offers — the kinds still free and, for a kind with values, the values no
// other key holds.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/ButtonTable.h"
#include "model/ConfigImage.h"

struct ButtonEntry {
    std::uint8_t kind = static_cast<std::uint8_t>(ButtonKind::NotDefined);
    std::uint8_t value = layout::buttons::kNoValue;

    bool operator==(const ButtonEntry&) const = default;
};
using ButtonEntries = std::array<ButtonEntry, ButtonTable::kCount>;

inline constexpr std::string_view kNoFunctionLabel = "No function label available.";
inline constexpr std::string_view kClearAllQuestion =
    "Are you sure you want to reset all the buttons to their default value?";

// True when the image is of a four-channel deskset: the picture and the
// four-channel kinds follow it.
bool IsFourChannelDeskset(const ConfigImage& image);

// The kind's name as the kind list shows it; none outside the known kinds.
std::optional<std::string_view> KindName(std::uint8_t kind);
// What a key does, said in full: "Speed Page: FIRE", "Frequency: 3/4", "Clear".
std::string KeyFunction(const ConfigImage& image, const ButtonEntry& entry);

// The keys as the editor holds them until OK.
class ButtonsWorkingCopy {
public:
    explicit ButtonsWorkingCopy(const ConfigImage& image);

    const ButtonEntries& Entries() const { return m_working; }
    const ButtonEntry& Entry(std::size_t key) const { return m_working.at(key); }

    // Manual Page keys whose paging format is gone become Not Defined; then
    // the short label of every key. A kind the program does not know keeps
    // the label it had (none at first) and its bytes.
    void RefreshLabels(const ConfigImage& image);
    const std::string& ShortLabel(std::size_t key) const { return m_labels.at(key); }

    // One key changed by its dialog; Undo then swaps it back and forth.
    void Change(std::size_t key, const ButtonEntry& entry);
    // Every key Not Defined; Undo then restores them all.
    void ClearAll();
    void Undo();

    void WriteTo(ConfigImage& image) const;

private:
    ButtonEntries m_working;
    ButtonEntries m_undo;
    std::optional<std::size_t> m_lastChanged;
    bool m_undoRestoresAll = false;
    std::array<std::string, ButtonTable::kCount> m_labels;
};

// What the dialog of one key offers.
struct KindChoice {
    std::string_view name;
    std::uint8_t kind;
};
struct ValueChoice {
    std::string text;
    std::uint8_t value;
};
struct ValueList {
    bool shown = false;  // a kind without values shows no list
    std::vector<ValueChoice> values;
};

class ButtonChoices {
public:
    ButtonChoices(const ConfigImage& image, const ButtonEntries& entries, std::size_t key);

    // The kinds, sorted by name: each kind no other key holds where only one
    // key may have it, and only the four-channel kinds a deskset has.
    std::vector<KindChoice> Kinds() const;
    // The values of the kind that no other key of that kind holds.
    ValueList Values(std::uint8_t kind) const;
    // The entry OK gives the key: none while a shown list has no value. With no
    // value chosen the value is 255, but a single-channel Mute gets channel 1.
    std::optional<ButtonEntry> Chosen(std::uint8_t kind, std::optional<std::uint8_t> value) const;
    // The entry the dialog offers whose function reads as text ("Speed Page: FIRE").
    std::optional<ButtonEntry> Offering(std::string_view function) const;

private:
    bool HeldByAnother(std::uint8_t kind, std::optional<std::uint8_t> value = {}) const;

    const ConfigImage& m_image;
    const ButtonEntries& m_entries;
    std::size_t m_key;
    bool m_fourChannel;
};

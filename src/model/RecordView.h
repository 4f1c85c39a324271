// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Base of the record views: an offset into an image plus bytewise accessors
// whose offsets are relative to the record. A view owns and copies nothing.

#include <cstddef>
#include <stdexcept>

#include "model/ConfigImage.h"
#include "model/Layout.h"

class RecordView {
public:
    std::size_t Start() const { return m_start; }

    std::uint8_t U8(std::size_t field) const { return m_image->U8(m_start + field); }
    std::int8_t S8(std::size_t field) const { return m_image->S8(m_start + field); }
    std::uint16_t U16(std::size_t field) const { return m_image->U16(m_start + field); }
    std::string Text(std::size_t field, std::size_t width) const {
        return m_image->Text(m_start + field, width);
    }
    void SetU8(std::size_t field, std::uint8_t v) { m_image->SetU8(m_start + field, v); }
    void SetS8(std::size_t field, std::int8_t v) { m_image->SetS8(m_start + field, v); }
    void SetU16(std::size_t field, std::uint16_t v) { m_image->SetU16(m_start + field, v); }
    void SetText(std::size_t field, std::size_t width, std::string_view text) {
        m_image->SetText(m_start + field, width, text);
    }

    // The same by a field's declaration.
    std::uint8_t U8(const layout::FieldSpec& field) const { return U8(field.offset); }
    std::int8_t S8(const layout::FieldSpec& field) const { return S8(field.offset); }
    std::uint16_t U16(const layout::FieldSpec& field) const { return U16(field.offset); }
    std::string Text(const layout::FieldSpec& field) const {
        return Text(field.offset, field.width);
    }
    void SetU8(const layout::FieldSpec& field, std::uint8_t v) { SetU8(field.offset, v); }
    void SetS8(const layout::FieldSpec& field, std::int8_t v) { SetS8(field.offset, v); }
    void SetU16(const layout::FieldSpec& field, std::uint16_t v) { SetU16(field.offset, v); }
    void SetText(const layout::FieldSpec& field, std::string_view text) {
        SetText(field.offset, field.width, text);
    }

protected:
    RecordView(ConfigImage& image, std::size_t tableStart, std::size_t recordSize,
               std::size_t recordCount, std::size_t index)
        : m_image(&image), m_start(tableStart + recordSize * CheckedIndex(index, recordCount)) {}

private:
    static std::size_t CheckedIndex(std::size_t index, std::size_t count) {
        if (index >= count) {
            throw std::out_of_range("record index outside its table");
        }
        return index;
    }

    ConfigImage* m_image;
    std::size_t m_start;
};

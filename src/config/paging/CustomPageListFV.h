#pragma once
// The "Custom Paging Tones" window: one row per tone in use, in number
// order, showing the number its record holds.

#include "config/common/qt/ListWindow.h"

class CustomPageListFV : public ListWindow {
    Q_OBJECT

public:
    explicit CustomPageListFV(const EditorContext& context);

protected:
    std::vector<Row> Rows() const override;
    std::optional<std::size_t> AddRecord() override;
    std::optional<std::size_t> EditRecord(std::size_t record) override;
    void DeleteRecord(std::size_t record) override;

private:
    std::optional<std::size_t> RunEditor(std::optional<std::size_t> record);
};

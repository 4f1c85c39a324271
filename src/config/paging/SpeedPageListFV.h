#pragma once
// The "Speed Paging" window: the speed pages in label order, each with the
// paging format it is sent with. While it is open the tree keeps Buttons
// Configuration unavailable, since its records move under the keys.

#include "config/common/qt/ListWindow.h"

class SpeedPageListFV : public ListWindow {
    Q_OBJECT

public:
    explicit SpeedPageListFV(const EditorContext& context);

protected:
    std::vector<Row> Rows() const override;
    std::optional<std::size_t> AddRecord() override;
    std::optional<std::size_t> EditRecord(std::size_t record) override;
    bool MayDelete(std::size_t record) override;
    void DeleteRecord(std::size_t record) override;

private:
    std::optional<std::size_t> RunEditor(std::optional<std::size_t> record);
};

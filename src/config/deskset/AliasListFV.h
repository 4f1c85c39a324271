#pragma once
// The "PTT ID Aliases" window: the aliases in record order (the editors keep
// them sorted by label) with their PTT IDs. A delete closes the gap at once.

#include "config/common/qt/ListWindow.h"

class AliasListFV : public ListWindow {
    Q_OBJECT

public:
    explicit AliasListFV(const EditorContext& context);

protected:
    std::vector<Row> Rows() const override;
    std::optional<std::size_t> AddRecord() override;
    std::optional<std::size_t> EditRecord(std::size_t record) override;
    void DeleteRecord(std::size_t record) override;

private:
    std::optional<std::size_t> RunEditor(std::optional<std::size_t> record);
};

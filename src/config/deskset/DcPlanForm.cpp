#include "config/deskset/DcPlanForm.h"

#include "config/deskset/ChannelLists.h"

DcPlanForm LoadDcPlan(const ChannelRecord& record) {
    DcPlanForm form;
    for (std::size_t f = 0; f < DcPlanForm::kFrequencies; ++f) {
        form.labels[f] = record.Label(f);
        form.currents[f] = DcCurrentIndex(record.DcCurrent(f));
        form.detection[f] = record.DetectionFlag(f);
    }
    form.monitor = DcCurrentIndex(record.S8(layout::channel::kDcMonitorCurrent));
    return form;
}

void WriteDcPlan(const DcPlanForm& form, ChannelRecord& record) {
    for (std::size_t f = 0; f < DcPlanForm::kFrequencies; ++f) {
        record.SetLabel(f, form.labels[f]);
        record.SetDcCurrent(f, DcCurrentOfEntry(form.currents[f]));
        record.SetDetectionFlag(f, form.detection[f]);
    }
    record.SetS8(layout::channel::kDcMonitorCurrent, DcCurrentOfEntry(form.monitor));
}

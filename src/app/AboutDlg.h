#pragma once
// "About Torvo": the application title and version.

#include <QDialog>

class AboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit AboutDlg(QWidget* parent = nullptr);
};

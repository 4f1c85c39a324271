#pragma once
// The help viewer: one window showing the program's help pages, which are
// keyed by their context numbers.

#include <QWidget>

class QTextBrowser;

class HelpWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int kShortcutKeysTopic = 139;
    static constexpr int kAssignShortcutTopic = 83;

    explicit HelpWindow(QWidget* parent = nullptr);

    void ShowContents();
    void ShowTopic(int contextNumber);
    void ShowPage(const QString& pageName);
    // The page shown now, for example "qrc:/help/139.html".
    QString CurrentPage() const;

    static QString TopicPage(int contextNumber);

private:
    QTextBrowser* m_browser;
};

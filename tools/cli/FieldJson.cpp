#include "FieldJson.h"

#include <QJsonArray>
#include <QStringList>

namespace {

// One step of a path: "frequencies[3]" is the key and the array index.
struct Step {
    QString key;
    int index = -1;
};

QList<Step> StepsOf(const std::string& path) {
    QList<Step> steps;
    for (const QString& part : QString::fromStdString(path).split('.')) {
        const qsizetype open = part.indexOf('[');
        if (open < 0) {
            steps.append({part, -1});
        } else {
            steps.append({part.left(open), part.mid(open + 1, part.size() - open - 2).toInt()});
        }
    }
    return steps;
}

QJsonValue Insert(const QJsonValue& node, QList<Step>::const_iterator step,
                  QList<Step>::const_iterator end, const QJsonValue& leaf) {
    if (step == end) {
        return leaf;
    }
    QJsonObject object = node.toObject();
    if (step->index < 0) {
        object[step->key] = Insert(object[step->key], step + 1, end, leaf);
        return object;
    }
    QJsonArray array = object[step->key].toArray();
    while (array.size() <= step->index) {
        array.append(QJsonObject());
    }
    array[step->index] = Insert(array[step->index], step + 1, end, leaf);
    object[step->key] = array;
    return object;
}

}  // namespace

QJsonObject FieldsAsJson(const std::vector<DatabaseField>& fields) {
    QJsonValue root = QJsonObject{
        {"paging_formats", QJsonArray()},
        {"speed_pages", QJsonArray()},
        {"custom_tones", QJsonArray()},
        {"ptt_id_aliases", QJsonArray()},
    };
    for (const DatabaseField& field : fields) {
        // Texts are single-byte characters in the image.
        const QString text = QString::fromLatin1(field.value.data(), field.value.size());
        const QJsonValue leaf = field.number ? QJsonValue(text.toDouble()) : QJsonValue(text);
        const QList<Step> steps = StepsOf(field.path);
        root = Insert(root, steps.cbegin(), steps.cend(), leaf);
    }
    return root.toObject();
}

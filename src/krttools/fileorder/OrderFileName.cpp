#include "fileorder/OrderFileName.h"

#include <QStringList>
#include <cstdlib>

namespace {

const QString kExtension = QStringLiteral(".dbf");

// Leading decimal digits with an optional sign, as the C run-time reads numbers: "5" is 5,
// "12x" is 12, "x" is 0; values beyond the 64-bit range saturate.
int64_t LeadingInteger(const QString& text) {
    return std::strtoll(text.toLatin1().constData(), nullptr, 10);
}

}  // namespace

bool OrderFileName::IsOrderFile(const QString& fileName) {
    return fileName.contains(kExtension) && fileName.contains(QStringLiteral("Order"));
}

bool OrderFileName::IsSetAside(const QString& fileName) {
    return fileName.contains(OrderFileMarker::kIgnored + kExtension) ||
           fileName.contains(OrderFileMarker::kBroken + kExtension);
}

OrderFileName OrderFileName::Parse(const QString& fileName) {
    OrderFileName name;
    name.fileName = fileName;
    QString stem = fileName;
    int extension = stem.indexOf(kExtension);
    if (extension >= 0) {
        stem.remove(extension, kExtension.size());
    }
    const QStringList fields = stem.split(QLatin1Char('_'));
    name.account = fields.value(0).left(kMaxFieldLength);
    name.sequence = LeadingInteger(fields.value(2).left(kMaxFieldLength));
    return name;
}

QString OrderFileName::WithMarker(const QString& fileName, const QString& marker) {
    QString marked = fileName;
    int extension = marked.indexOf(kExtension);
    if (extension < 0) {
        return marked + marker;
    }
    return marked.insert(extension, marker);
}

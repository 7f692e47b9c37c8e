#include "kora/utility/Exception.h"

namespace Kora::Utility {

Exception::Exception(QString file, int line, QString message)
    : m_file(std::move(file)), m_line(line), m_message(std::move(message)) {
    m_what = m_message.isEmpty() ? m_file.toStdString() : m_message.toStdString();
}

Exception::~Exception() = default;

QString Exception::TypeName() const {
    return QStringLiteral("Kora::Exception");
}

QString Exception::Description() const {
    if (!m_file.isEmpty() && m_line > 0) {
        return QStringLiteral("%1:%2: %3").arg(m_file).arg(m_line).arg(TypeName());
    }
    return TypeName();
}

std::unique_ptr<Exception> Exception::Clone() const {
    return std::make_unique<Exception>(*this);
}

void Exception::Rethrow() const {
    throw Exception(*this);
}

const char* Exception::what() const noexcept {
    return m_what.c_str();
}

NullHandleException::~NullHandleException() = default;

QString NullHandleException::TypeName() const {
    return QStringLiteral("Kora::NullHandleException");
}

std::unique_ptr<Exception> NullHandleException::Clone() const {
    return std::make_unique<NullHandleException>(*this);
}

void NullHandleException::Rethrow() const {
    throw NullHandleException(*this);
}

}  // namespace Kora::Utility

#include "kernel/ServiceInterface.h"

namespace Kora::Kernel {

ServiceInterface::ServiceInterface(QString name, int32_t version, Utility::WStringMap properties)
    : m_name(std::move(name)), m_version(version), m_properties(std::move(properties)) {}

QString ServiceInterface::GetVersionedName() const {
    return m_name + QLatin1Char('.') + QString::number(m_version);
}

}  // namespace Kora::Kernel

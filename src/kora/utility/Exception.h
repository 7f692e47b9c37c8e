#pragma once

#include <QString>
#include <exception>
#include <memory>
#include <string>

#include "kora/utility/Export.h"

namespace Kora::Utility {

// The glue layer's exception: where it was raised (file and line) and a message. Description()
// reads "<file>:<line>: <type name>" when a file is set and the line is above 0, else the type
// name alone.
class KORA_API Exception : public std::exception {
public:
    Exception() = default;
    Exception(QString file, int line, QString message = {});
    ~Exception() override;

    virtual QString TypeName() const;
    virtual QString Description() const;
    virtual std::unique_ptr<Exception> Clone() const;
    [[noreturn]] virtual void Rethrow() const;

    const char* what() const noexcept override;

    const QString& File() const { return m_file; }
    int Line() const { return m_line; }
    const QString& Message() const { return m_message; }

private:
    QString m_file;
    int m_line = 0;
    QString m_message;
    std::string m_what;
};

// Raised when an empty Handle is used.
class KORA_API NullHandleException : public Exception {
public:
    using Exception::Exception;
    ~NullHandleException() override;

    QString TypeName() const override;
    std::unique_ptr<Exception> Clone() const override;
    [[noreturn]] void Rethrow() const override;
};

}  // namespace Kora::Utility

#pragma once

#include <QString>
#include <exception>
#include <optional>

// An error that abandons the handler that raised it and is shown in the
// general error report; the program then goes on.
class ProgramError : public std::exception {
public:
    explicit ProgramError(QString text) : m_text(std::move(text)), m_utf8(m_text.toUtf8()) {}
    const QString &text() const { return m_text; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_text;
    QByteArray m_utf8;
};

// A number text that does not convert. The texts are the system's own.
class ConversionError : public ProgramError {
public:
    using ProgramError::ProgramError;
    static ConversionError floatingPoint(const QString &value)
    {
        return ConversionError(QStringLiteral("'%1' is not a valid floating point value").arg(value));
    }
    static ConversionError integer(const QString &value)
    {
        return ConversionError(QStringLiteral("'%1' is not a valid integer value").arg(value));
    }
};

// Runs a handler at the boundary where exceptions must stop (a button, a
// reply): the text of a program error or any other exception it threw, or
// nothing when it ran through.
template <typename F>
std::optional<QString> failureOf(F &&handler)
{
    try {
        handler();
    } catch (const ProgramError &e) {
        return e.text();
    } catch (const std::exception &e) {
        return QString::fromLocal8Bit(e.what());
    }
    return std::nullopt;
}

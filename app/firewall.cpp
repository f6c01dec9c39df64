#include "firewall.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <QProcess>
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <shellapi.h>
#endif

namespace Firewall {

namespace {

const char *const Netsh = "C:\\Windows\\System32\\netsh.exe";

// Windows forbids quotes in file names; dropping them keeps a crafted name from ending
// the quoted argument early.
QString unquoted(QString text)
{
    return text.remove(QLatin1Char('"'));
}

} // namespace

QString commandText(Command command, const QString &name, const QString &nativePath)
{
    QString tail;
    switch (command) {
    case Command::AddUdp:
        tail = QStringLiteral(" advfirewall firewall add rule name=\"%1\" protocol=udp dir=in action=allow "
                              "program=\"%2\" enable=yes edge=deferuser profile=any");
        break;
    case Command::AddTcp:
        tail = QStringLiteral(" advfirewall firewall add rule name=\"%1\" protocol=tcp dir=in action=allow "
                              "program=\"%2\" enable=yes edge=deferuser profile=any");
        break;
    case Command::Delete:
        tail = QStringLiteral(" advfirewall firewall delete rule name=\"%1\" program=\"%2\"");
        break;
    case Command::Query:
        return QLatin1String(Netsh)
               + QStringLiteral(" advfirewall firewall show rule name=\"%1\" verbose").arg(unquoted(name));
    }
    // One arg() call for both: a '%' in the name must not be taken for a placeholder.
    return QLatin1String(Netsh) + tail.arg(unquoted(name), unquoted(nativePath));
}

bool listsProgram(const QString &queryOutput, const QString &nativePath)
{
    return !nativePath.isEmpty() && queryOutput.contains(nativePath, Qt::CaseSensitive);
}

QString ruleName(const QString &executablePath)
{
    return QFileInfo(executablePath).completeBaseName();
}

QString legacyRuleName(const QString &executablePath)
{
    return QFileInfo(executablePath).fileName();
}

#ifdef Q_OS_WIN

namespace {

// Hidden, with the command line in the local 8-bit encoding. Each step waits for the
// previous one so the clean-up cannot remove what the add has just made.
void runHidden(const QString &command)
{
    QByteArray line = command.toLocal8Bit();
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION info;
    ZeroMemory(&info, sizeof(info));
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &info))
        return;
    WaitForSingleObject(info.hProcess, QueryTimeoutMs);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
}

void cleanUp(const QString &executablePath)
{
    runHidden(commandText(Command::Delete, legacyRuleName(executablePath), QDir::toNativeSeparators(executablePath)));
}

} // namespace

void addRules(const QString &executablePath)
{
    const QString path = QDir::toNativeSeparators(executablePath);
    cleanUp(executablePath);
    runHidden(commandText(Command::AddUdp, ruleName(executablePath), path));
    runHidden(commandText(Command::AddTcp, ruleName(executablePath), path));
}

void deleteRules(const QString &executablePath)
{
    cleanUp(executablePath);
    runHidden(commandText(Command::Delete, ruleName(executablePath), QDir::toNativeSeparators(executablePath)));
}

bool ruleExists(const QString &executablePath)
{
    const QString command = commandText(Command::Query, ruleName(executablePath), QString());
    const QString program = QLatin1String(Netsh);
    QProcess process;
    process.setProgram(program);
    process.setNativeArguments(command.mid(program.size() + 1));
    process.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments *args) {
        args->flags |= CREATE_NO_WINDOW;
    });
    process.start(QIODevice::ReadWrite);
    if (!process.waitForFinished(QueryTimeoutMs)) {
        process.kill();
        process.waitForFinished(1000);
        return false;
    }
    const QString output = QString::fromLocal8Bit(process.readAllStandardOutput());
    return listsProgram(output, QDir::toNativeSeparators(executablePath));
}

void requestElevatedAdd(const QString &executablePath)
{
    const std::wstring file = QDir::toNativeSeparators(executablePath).toStdWString();
    SHELLEXECUTEINFOW info;
    ZeroMemory(&info, sizeof(info));
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOASYNC;
    info.lpVerb = L"runas";
    info.lpFile = file.c_str();
    info.lpParameters = L"-a";
    info.nShow = SW_HIDE;
    if (!ShellExecuteExW(&info))
        qDebug() << "Error while starting elevated process" << QDir::toNativeSeparators(executablePath);
}

#else

// No firewall to configure on this platform.
void addRules(const QString &) {}
void deleteRules(const QString &) {}
bool ruleExists(const QString &) { return true; }
void requestElevatedAdd(const QString &) {}

#endif

} // namespace Firewall

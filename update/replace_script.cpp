#include "update/replace_script.h"

#include "text/characters.h"

namespace velmora {

namespace {

constexpr std::string_view DownloadFileName = "TMP";
constexpr std::string_view BatchLineEnd = "\r\n";

// A batch file name in double quotes; "%" is doubled, as the batch interpreter expands it
// even inside quotes. Windows names cannot hold a double quote.
std::string BatchQuoted(Text const& name)
{
    std::string quoted = "\"";
    for (char byte : name) {
        quoted += byte;
        if (byte == '%')
            quoted += '%';
    }
    return quoted + "\"";
}

// Whether the folder's last character is a separator. The byte 5C may also be the second
// byte of a double-byte GBK character, so the characters are walked from the start.
bool EndsWithSeparator(Text const& folder)
{
    std::size_t last = 0;
    for (std::size_t position = 0; position < folder.size(); position += CharacterLength(folder, position))
        last = position;
    return !folder.empty() && last == folder.size() - 1 && (folder.back() == '\\' || folder.back() == '/');
}

// A name inside the program's folder, joined with the batch interpreter's separator.
Text InBatchFolder(Text const& folder, std::string_view name)
{
    return folder + (EndsWithSeparator(folder) ? "" : "\\") + Text(name);
}

// A shell word in single quotes; a single quote inside is closed, escaped and reopened.
std::string ShellQuoted(std::string_view text)
{
    std::string quoted = "'";
    for (char byte : text) {
        if (byte == '\'')
            quoted += "'\\''";
        else
            quoted += byte;
    }
    return quoted + "'";
}

// The bytes of a path as the file system names it (UTF-8 on POSIX systems).
std::string FileSystemBytes(std::filesystem::path const& path)
{
    std::u8string const bytes = path.u8string();
    return std::string(bytes.begin(), bytes.end());
}

std::string BatchScript(ProgramFile const& program, std::int64_t process_id)
{
    auto const line = [](std::string const& text) { return text + std::string(BatchLineEnd); };
    Text const folder = TextFromPath(program.directory);
    Text const name = TextFromPath(program.name);
    std::string const program_path = BatchQuoted(InBatchFolder(folder, name));
    return line("@echo off") + line("taskkill /f /pid " + std::to_string(process_id))
        + line("ping 127.0.0.1 -n 2 >nul") + line("Del " + program_path)
        + line("ren " + BatchQuoted(InBatchFolder(folder, DownloadFileName)) + " " + BatchQuoted(name))
        + line("start \"\" /d " + BatchQuoted(folder) + " " + program_path) + line("Del \"%~f0\"") + "Exit";
}

std::string ShellScript(ProgramFile const& program, std::int64_t process_id)
{
    std::string const folder = ShellQuoted(FileSystemBytes(program.directory));
    std::string const name = ShellQuoted(FileSystemBytes(program.name));
    std::string const started = ShellQuoted("./" + FileSystemBytes(program.name));
    std::string const download = ShellQuoted(DownloadFileName);
    std::string script;
    auto const line = [&script](std::string const& text) { script += text + "\n"; };
    line("#!/bin/sh");
    line("# Puts the downloaded update in the place of the program once the program has ended.");
    // The program ends by itself right after starting the script. It is ended by its process
    // id only when it is still there after five seconds, and the wait gives up after ten: a
    // process that nobody has reaped yet still answers kill -0.
    line("pid=" + std::to_string(process_id));
    line("waited=0");
    line("while kill -0 \"$pid\" 2>/dev/null; do");
    line("    waited=$((waited + 1))");
    line("    if [ \"$waited\" -eq 50 ]; then kill -9 \"$pid\" 2>/dev/null; fi");
    line("    if [ \"$waited\" -ge 100 ]; then break; fi");
    line("    sleep 0.1");
    line("done");
    line("cd " + folder + " || exit 1");
    // The rename takes the old program file away and puts TMP in its place in one step, so a
    // failed move leaves the old program whole.
    line("if [ -f " + download + " ]; then");
    line("    chmod +x " + download);
    line("    mv -f " + download + " " + name);
    line("fi");
    line(started + " </dev/null >/dev/null 2>&1 &");
    line("rm -f \"$0\"");
    return script;
}

}

std::filesystem::path DownloadTargetPath(ProgramFile const& program)
{
    return program.directory / DownloadFileName;
}

std::filesystem::path ReplaceScriptPath(ScriptKind kind, ProgramFile const& program)
{
    return program.directory / (kind == ScriptKind::WindowsBatch ? "5.bat" : "5.sh");
}

std::string ReplaceScriptText(ScriptKind kind, ProgramFile const& program, std::int64_t process_id)
{
    return kind == ScriptKind::WindowsBatch ? BatchScript(program, process_id)
                                            : ShellScript(program, process_id);
}

}

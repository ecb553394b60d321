#include "export/save_file_request.h"

#include "text/characters.h"
#include "text/marker_search.h"
#include "text/spaces.h"

#include <filesystem>

namespace velmora {

namespace {

constexpr std::string_view FilterSeparator = "|";
constexpr char NativeFolderSeparator = static_cast<char>(std::filesystem::path::preferred_separator);

// Replaces every whole-character "丨" by "|". The separator is a double-byte character, so
// the search must not match across two neighbouring characters.
Text WithPlainSeparators(Text const& text)
{
    Text const& wide_separator = "丨"_gbk;
    Text result;
    std::size_t position = 0;
    while (auto found = FindMarker(text, wide_separator, position)) {
        result.append(text, position, *found - position);
        result += FilterSeparator;
        position = *found + wide_separator.size();
    }
    result.append(text, position);
    return result;
}

std::vector<Text> SplitAtSeparators(Text const& text)
{
    std::vector<Text> parts;
    std::size_t position = 0;
    for (;;) {
        std::size_t const found = text.find(FilterSeparator, position);
        if (found == Text::npos) {
            parts.push_back(text.substr(position));
            return parts;
        }
        parts.push_back(text.substr(position, found - position));
        position = found + FilterSeparator.size();
    }
}

// "/" becomes the platform's separator, and a separator closes the folder. Only "/" is
// replaced and the last character is found by walking the text: the byte 5C of a backslash
// may also be the second byte of a double-byte GBK character.
Text WithNativeSeparators(Text directory)
{
    std::size_t last_character = 0;
    for (std::size_t position = 0; position < directory.size();) {
        if (directory[position] == '/')
            directory[position] = NativeFolderSeparator;
        last_character = position;
        position += CharacterLength(directory, position);
    }
    bool const ends_with_separator = !directory.empty() && last_character == directory.size() - 1
        && directory.back() == NativeFolderSeparator;
    if (!ends_with_separator)
        directory += NativeFolderSeparator;
    return directory;
}

}

SaveFileRequest PrepareSaveFileRequest(
    Text const& filter_text, Text const& initial_directory, Text const& default_name)
{
    SaveFileRequest request;
    request.title = "保存文件"_gbk;
    std::vector<Text> const parts = SplitAtSeparators(RemoveSpaces(WithPlainSeparators(filter_text)));
    // Names and patterns come in pairs; a name without a pattern is dropped, as the system
    // dialog does with an unpaired entry.
    for (std::size_t index = 0; index + 1 < parts.size(); index += 2)
        request.filters.push_back({parts[index], parts[index + 1]});
    request.initial_directory = WithNativeSeparators(initial_directory);
    request.default_name = default_name;
    request.default_extension = "txt";
    return request;
}

Text ChooseSaveFile(SaveFileChooser* chooser, Text const& filter_text, Text const& initial_directory,
    Text const& default_name)
{
    if (!chooser)
        return {};
    return chooser->ChooseSaveFile(PrepareSaveFileRequest(filter_text, initial_directory, default_name));
}

}

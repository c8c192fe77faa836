#pragma once
// The player's configuration file (config.cfg) as statements in file order: key
// bindings, variables (plain or "setinfo"), "+" commands, and lines the launcher does
// not own, which are kept as they were written. Editing changes only the statements
// it names, so a rewrite keeps the player's own lines and their order.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class ConfigFile
{
public:
    static constexpr int kSlots = 256;

    using KeyNames = std::array<std::string, kSlots>;

    enum class Kind
    {
        Bind,     // name: the key as written, value: the command
        Variable, // name, value, setInfo
        Plus,     // name: the "+" command
        Verbatim, // name: the line as written
    };

    struct Statement
    {
        Kind kind = Kind::Verbatim;
        std::string name;
        std::string value;
        bool setInfo = false;
        int slot = -1; // bindings: the key's slot in the key name table, -1 for keys it lacks
        std::string comment; // a "//" comment that followed the statement on its line
        bool keepEmpty = false; // an empty value read from the file is written back
    };

    // Parses the bytes of a file; keys are looked up (case-insensitively) among the
    // key names to find their slots.
    void Parse(std::string_view bytes, const KeyNames& keyNames);

    // The text to write: "unbindall", then every statement in order.
    std::string Text() const;

    const std::vector<Statement>& Statements() const { return m_statements; }

    // The value of the variable that stood last under the name (case-insensitive).
    std::optional<std::string> Value(const std::string& name) const;
    // Changes the last occurrence of the name, or adds the variable after the others.
    void SetValue(const std::string& name, const std::string& value);
    // The same, and sets the SetInfo flag of the variable to setInfo.
    void SetValue(const std::string& name, const std::string& value, bool setInfo);

    // The command bound to the slot (the last binding of it), or none.
    const Statement* Binding(int slot) const;
    // Binds the slot: the last binding of it keeps its key text and takes the
    // command, earlier ones go; without one, a binding of keyText is added. When the
    // last binding already holds the command, nothing changes.
    void SetBinding(int slot, const std::string& keyText, const std::string& command);
    // Removes every binding of the slot.
    void ClearBinding(int slot);

    bool HasPlus(const std::string& command) const;
    // Leaves exactly one occurrence of the command (added at the end when missing).
    void KeepOnePlus(const std::string& command);
    void RemovePlus(const std::string& command);

private:
    void ParseLine(std::string_view line, const KeyNames& keyNames);
    void Insert(Statement statement);
    Statement* LastVariable(const std::string& name);

    std::vector<Statement> m_statements;
};

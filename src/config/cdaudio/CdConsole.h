#pragma once
// What the music service needs from the engine's console: the arguments of the
// command being run, printing, and reading and setting a console variable.
#include <string>

class CdConsole
{
public:
    virtual ~CdConsole() = default;
    // The command's words, the command name being word 0.
    virtual int ArgumentCount() = 0;
    virtual std::string Argument(int index) = 0;
    virtual void Print(const std::string& text) = 0;
    virtual std::string Variable(const char* name) = 0;
    virtual void SetVariable(const char* name, const char* value) = 0;
};

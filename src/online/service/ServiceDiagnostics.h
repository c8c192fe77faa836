#pragma once
// Where the online service's one-line diagnostics go: standard output unless a sink
// is given (tests and tools collect them).
#include <functional>
#include <string>

using DiagnosticSink = std::function<void(const std::string&)>;

class ServiceDiagnostics
{
public:
    void SetSink(DiagnosticSink sink) { m_sink = std::move(sink); }
    void Print(const std::string& line) const;

private:
    DiagnosticSink m_sink;
};

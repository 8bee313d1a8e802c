#include "program/ErrorCheck.h"

#include "program/Program.h"

namespace velkor {

std::string ErrorReportText(int32_t number, std::string_view description,
                            std::string_view procName) {
    std::string text;
    text.append("Error in Module '").append(procName).append("'.\r\n");
    text.append("Error Number: ").append(std::to_string(number)).append("\r\n");
    text.append("Error Description: ").append(description).append("\r\n\r\n");
    text.append("Please contact the author with a detailed error description at '")
        .append(program::kSupportEmail)
        .append("'.");
    return text;
}

void ReportError(Dialogs& dialogs, int32_t number, std::string_view description,
                 std::string_view procName) {
    dialogs.Show({ErrorReportText(number, description, procName), std::string(program::kTitle),
                  Buttons::Ok, Icon::None});
}

}  // namespace velkor

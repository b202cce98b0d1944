#include "ParamPrompt.h"

#include "NumberFormat.h"
#include "Platform.h"

TPromptEnd PromptParams(QWidget* owner, TDistKind kind, const QString& caption, char separator,
                        TVector& params)
{
    params.assign(ParamCount(kind), 0);
    for (int i = 0; i < ParamCount(kind); ++i) {
        std::string name;
        DistParamName(kind, i, name);
        QString kept;
        for (;;) {
            const std::optional<QString> answer =
                CurrentPlatform().InputBox(owner, caption, QString::fromStdString(name), kept);
            if (!answer)
                return TPromptEnd::Cancelled;
            if (!ParseNumber(answer->toStdString(), separator, params[i]))
                return TPromptEnd::Unreadable;
            const std::string refusal = DistParamRefusal(kind, i, params[i], params, separator);
            if (refusal.empty())
                break;
            CurrentPlatform().ShowMessage(owner, QString::fromStdString(refusal));
            kept = *answer;
        }
    }
    return TPromptEnd::Read;
}

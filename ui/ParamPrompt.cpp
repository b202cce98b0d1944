#include "ParamPrompt.h"

#include "NumberFormat.h"
#include "Platform.h"

bool PromptParams(QWidget* owner, TDistKind kind, const QString& caption, char separator,
                  TVector& params)
{
    params.assign(ParamCount(kind), 0);
    for (int i = 0; i < ParamCount(kind); ++i) {
        std::string name;
        DistParamName(kind, i, name);
        const QString answer =
            CurrentPlatform().InputBox(owner, caption, QString::fromStdString(name), QString());
        if (!ParseNumber(answer.toStdString(), separator, params[i]))
            return false;
    }
    return true;
}

#include "ui/SealDialog.h"

const CString g_SealPageTitles[kSealPages] = {"プライベート・遊び", "仕事・学校・家庭", "その他"};

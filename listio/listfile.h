#pragma once

void ImportList();        // 按钮_读取
void ExportList();        // popup item "保存"
void CopySelectedRows();  // popup item "复制"

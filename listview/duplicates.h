#pragma once

// Click handler of 按钮_筛重: colours the fingerprint cells of equal fingerprints.
void MarkDuplicates();

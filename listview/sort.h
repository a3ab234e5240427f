#pragma once

// Column-header click handler of the file list.
void HandleColumnClick(int column);

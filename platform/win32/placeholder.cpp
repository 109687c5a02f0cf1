// placeholder until the first Win32 seam lands

function lv = levels (img, L)
%LEVELS  Each value of an image as one of L levels, 0..L-1.
%   LV = winscore.internal.levels(IMG, L) is min(floor(v*L), L-1) for the
%   value v in 0..1 that winscore.internal.unitImage gives each element of
%   IMG, as doubles of IMG's shape. Classes of at most 16 bits go through a
%   table of every value they can hold, made by the same two functions, so
%   the levels are the same bits without converting the image first.

% SPDX-License-Identifier: MIT

  if islogical (img) || isa (img, 'uint8') || isa (img, 'int8') || isa (img, 'uint16') ...
     || isa (img, 'int16')
    if islogical (img)
      values = [false; true];
      low = 0;
    else
      low = double (intmin (class (img)));
      values = cast ((low:double (intmax (class (img))))', class (img));
    end
    table = min (floor (winscore.internal.unitImage (values) * L), L - 1);
    lv = table(double (img) + (1 - low));
    lv = reshape (lv, size (img));
  else
    lv = min (floor (winscore.internal.unitImage (img) * L), L - 1);
  end
end

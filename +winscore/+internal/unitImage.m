function img = unitImage (img)
%UNITIMAGE  An image of any numeric or logical class as doubles in 0..1.
%   IMG = winscore.internal.unitImage(IMG) keeps the shape. Integer classes
%   map their full range onto 0..1 (uint8 v to v/255); logical maps to 0
%   and 1; single and double are taken as 0..1 already and clipped to it,
%   NaN counting as 0.

% SPDX-License-Identifier: MIT

  if isinteger (img)
    low = double (intmin (class (img)));
    high = double (intmax (class (img)));
    if low == 0
      img = double (img) / high;
    else
      img = (double (img) - low) / (high - low);
    end
  else
    img = min (max (double (img), 0), 1);
  end
end

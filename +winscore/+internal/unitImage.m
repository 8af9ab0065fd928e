function img = unitImage (caller, img)
%UNITIMAGE  A grey or RGB image of any numeric or logical class as doubles in 0..1.
%   IMG = winscore.internal.unitImage(CALLER, IMG) keeps the R x C (grey) or
%   R x C x 3 (RGB) shape. Integer classes map their full range onto 0..1
%   (uint8 v to v/255); logical maps to 0 and 1; single and double are taken
%   as 0..1 already and clipped to it, NaN counting as 0.

% SPDX-License-Identifier: MIT

  if ~(isnumeric (img) || islogical (img)) || ~isreal (img) || isempty (img) ...
     || ndims (img) > 3 || ~(size (img, 3) == 1 || size (img, 3) == 3)
    error (['winscore:' caller ':image'], ...
           'winscore.%s: the image must be a non-empty real R x C or R x C x 3 numeric or logical array', ...
           caller);
  end
  if isinteger (img)
    low = double (intmin (class (img)));
    img = (double (img) - low) / (double (intmax (class (img))) - low);
  else
    img = min (max (double (img), 0), 1);
  end
end

function img = checkImage (caller, img)
%CHECKIMAGE  A grey or RGB image, checked for its shape and its scale.
%   IMG = winscore.internal.checkImage(CALLER, IMG) raises
%   winscore:CALLER:notImage unless IMG is a non-empty real R x C or
%   R x C x 3 array of a numeric or logical class, and returns it full
%   (a sparse image arrives full). Then its values:
%   - single or double: 0..1 is the scale; values further than 0.05 outside
%     it (0..255 data, say) raise winscore:CALLER:imageRange, naming the
%     conversion. NaN pixels pass (they count as 0).
%   - integer classes: values spanning less than an eighth of the class's
%     range (12-bit data in uint16, a 0/1 mask in uint8) give the warning
%     winscore:CALLER:smallRange, naming the range used and a rescaling
%     by the bits it fills.

% SPDX-License-Identifier: MIT

  if ~(isnumeric (img) || islogical (img)) || ~isreal (img) || isempty (img) ...
     || ndims (img) > 3 || ~(size (img, 3) == 1 || size (img, 3) == 3)
    winscore.internal.fail (caller, 'notImage', winscore.internal.describe (img));
  end
  if issparse (img)
    img = full (img);
  end
  if islogical (img)
    return;
  end
  if isinteger (img)
    % A photo spans most of its range in a few pixels: one in 61 settles
    % it without reading the rest.
    few = double (img(1:61:end));
    if max (few) - min (few) >= (double (intmax (class (img))) - double (intmin (class (img)))) / 8
      return;
    end
  end
  lo = min (img(:));
  hi = max (img(:));
  if isfloat (img)
    tolerance = 0.05;
    if lo < -tolerance || hi > 1 + tolerance
      winscore.internal.fail (caller, 'imageRange', class (img), num2str (lo), num2str (hi));
    end
  else
    first = double (intmin (class (img)));
    last = double (intmax (class (img)));
    lo = double (lo);
    hi = double (hi);
    if hi > lo && hi - lo < (last - first) / 8
      bits = max (1, ceil (log2 (max (abs ([lo hi])) + 1)));
      winscore.internal.warn (caller, 'smallRange', class (img), num2str (lo), num2str (hi), ...
                              num2str (first), num2str (last), 2 ^ bits - 1, bits);
    end
  end
end

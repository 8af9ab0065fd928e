function checkImage (caller, img)
%CHECKIMAGE  Refuse anything but a grey or RGB image.
%   winscore.internal.checkImage(CALLER, IMG) raises winscore:CALLER:image
%   unless IMG is a non-empty real R x C or R x C x 3 array of a numeric or
%   logical class.

% SPDX-License-Identifier: MIT

  if ~(isnumeric (img) || islogical (img)) || ~isreal (img) || isempty (img) ...
     || ndims (img) > 3 || ~(size (img, 3) == 1 || size (img, 3) == 3)
    error (['winscore:' caller ':image'], ...
           'winscore.%s: the image must be a non-empty real R x C or R x C x 3 numeric or logical array', ...
           caller);
  end
end
